// The compiled-in code page 936 table against ICU's converter itself, where ICU
// is at hand (the build machine): the generated table must read and write every
// code exactly as the converter it was made from.
#include "draw/gbk_codec.h"
#include "draw/utf8_encode.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>
#include <unicode/uset.h>

#include <memory>

namespace {

// Every character ICU's own code page 936 converter maps both ways, taken from the
// converter: it shows as that character and is stored as the converter's bytes;
// every other BMP character is reported as unencodable.
TEST(GbkCodec, MatchesTheCodePage936ConverterForEveryCode)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UConverter, void (*)(UConverter *)> converter(
        ucnv_open("windows-936-2000", &status), ucnv_close);
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    const std::unique_ptr<USet, void (*)(USet *)> roundTrip(uset_openEmpty(), uset_close);
    ucnv_getUnicodeSet(converter.get(), roundTrip.get(), UCNV_ROUNDTRIP_SET, &status);
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);

    int singles = 0, pairs = 0, mismatches = 0;
    for (char32_t code = 0; code < 0x10000; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF)
            continue;
        const std::string utf8 = draw::utf8Of(code);
        const draw::GbkEncoding ours = draw::utf8ToGbk(utf8);
        if (!uset_contains(roundTrip.get(), UChar32(code))) {
            if (!(ours.unencodable == std::vector<char32_t>{code} && ours.bytes.empty()))
                ++mismatches;
            continue;
        }
        const UChar in[1] = {UChar(code)};
        char bytes[8];
        UErrorCode error = U_ZERO_ERROR;
        ucnv_resetFromUnicode(converter.get());
        const int length = ucnv_fromUChars(converter.get(), bytes, 8, in, 1, &error);
        ASSERT_TRUE(U_SUCCESS(error)) << std::hex << unsigned(code);
        const std::string theirs(bytes, std::size_t(length));
        (length == 1 ? singles : pairs) += 1;
        if (!ours.ok() || ours.bytes != theirs || draw::gbkToUtf8(theirs) != utf8) {
            ++mismatches;
            ADD_FAILURE() << "U+" << std::hex << unsigned(code);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(singles, 128 + 2); // ASCII, 0x80 and 0xFF
    EXPECT_GT(pairs, 23000); // every double-byte code was seen, not an empty set
}

} // namespace
