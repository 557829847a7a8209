#pragma once

#include <cstdint>

// Windows code page 936 as a compiled-in table, generated at build time from
// ICU's converter (gbk_codec_table_generator.cpp), so the program needs no ICU
// when it runs and reads the same bytes the same way on every system.
namespace draw::gbk_table {

inline constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
inline constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
inline constexpr unsigned kLeads = kLastLead - kFirstLead + 1;
inline constexpr unsigned kTrails = kLastTrail - kFirstTrail + 1;

// The character of each byte 0x80-0xFF alone; 0 where it has none.
extern const char16_t kSingle[0x80];
// The character of each pair, lead 0x81-0xFE by trail 0x40-0xFE; 0 where none.
extern const char16_t kPair[kLeads * kTrails];
// Codes (one byte, or lead << 8 | trail) that read as a character which is not
// written back as them: never used to encode.
extern const std::uint16_t kOneWay[];
extern const unsigned kOneWayCount;

} // namespace draw::gbk_table
