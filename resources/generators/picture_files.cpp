#include "picture_files.h"

#include <QFile>
#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace pictures {
namespace {

void put16(QByteArray &out, int value)
{
    std::array<char, 2> bytes{};
    qToLittleEndian(static_cast<quint16>(value), bytes.data());
    out.append(bytes.data(), 2);
}

void put32(QByteArray &out, qint64 value)
{
    std::array<char, 4> bytes{};
    qToLittleEndian(static_cast<quint32>(value), bytes.data());
    out.append(bytes.data(), 4);
}

void putByte(QByteArray &out, int value)
{
    out.append(static_cast<char>(static_cast<quint8>(value)));
}

int rowBytes(int width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

void putInfoHeader(QByteArray &out, int width, int height, int bitCount, qint64 imageSize,
                   int pixelsPerMetre, int coloursUsed)
{
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, bitCount);
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, coloursUsed);
    put32(out, 0);
}

// ---- palette reduction -------------------------------------------------

struct Sample {
    std::array<int, 3> rgb{};
    int count = 0;
};

struct Box {
    int begin = 0;
    int end = 0; // samples[begin, end)
};

// Median cut over the distinct colours, weighted by how often they occur,
// followed by a few rounds of k-means so the palette sits on the colours
// that matter (skin, cloth) rather than on anti-aliased seams.
QVector<QRgb> buildPalette(const QImage &image, int colours)
{
    QHash<QRgb, int> histogram;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) >= 128) {
                ++histogram[line[x] | 0xFF000000u];
            }
        }
    }
    std::vector<Sample> samples;
    samples.reserve(static_cast<size_t>(histogram.size()));
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it) {
        samples.push_back({{qRed(it.key()), qGreen(it.key()), qBlue(it.key())}, it.value()});
    }
    std::sort(samples.begin(), samples.end(),
              [](const Sample &a, const Sample &b) { return a.rgb < b.rgb; });
    if (static_cast<int>(samples.size()) <= colours) {
        QVector<QRgb> palette;
        for (const Sample &s : samples) {
            palette.append(qRgb(s.rgb[0], s.rgb[1], s.rgb[2]));
        }
        return palette;
    }

    std::vector<Box> boxes{{0, static_cast<int>(samples.size())}};
    while (static_cast<int>(boxes.size()) < colours) {
        // Split the box whose widest channel range, weighted by its pixel
        // count, is largest.
        int best = -1;
        double bestScore = -1.0;
        int bestAxis = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const Box &box = boxes[i];
            if (box.end - box.begin < 2) {
                continue;
            }
            std::array<int, 3> lo{255, 255, 255};
            std::array<int, 3> hi{0, 0, 0};
            long long weight = 0;
            for (int s = box.begin; s < box.end; ++s) {
                for (size_t c = 0; c < 3; ++c) {
                    lo[c] = std::min(lo[c], samples[static_cast<size_t>(s)].rgb[c]);
                    hi[c] = std::max(hi[c], samples[static_cast<size_t>(s)].rgb[c]);
                }
                weight += samples[static_cast<size_t>(s)].count;
            }
            int axis = 0;
            for (int c = 1; c < 3; ++c) {
                if (hi[static_cast<size_t>(c)] - lo[static_cast<size_t>(c)] >
                    hi[static_cast<size_t>(axis)] - lo[static_cast<size_t>(axis)]) {
                    axis = c;
                }
            }
            const int range = hi[static_cast<size_t>(axis)] - lo[static_cast<size_t>(axis)];
            const double score =
                static_cast<double>(range) * std::sqrt(static_cast<double>(weight));
            if (range > 0 && score > bestScore) {
                bestScore = score;
                best = static_cast<int>(i);
                bestAxis = axis;
            }
        }
        if (best < 0) {
            break;
        }
        Box box = boxes[static_cast<size_t>(best)];
        const auto axis = static_cast<size_t>(bestAxis);
        std::sort(samples.begin() + box.begin, samples.begin() + box.end,
                  [axis](const Sample &a, const Sample &b) { return a.rgb[axis] < b.rgb[axis]; });
        long long total = 0;
        for (int s = box.begin; s < box.end; ++s) {
            total += samples[static_cast<size_t>(s)].count;
        }
        long long running = 0;
        int cut = box.begin + 1;
        for (int s = box.begin; s < box.end - 1; ++s) {
            running += samples[static_cast<size_t>(s)].count;
            cut = s + 1;
            if (running * 2 >= total) {
                break;
            }
        }
        boxes[static_cast<size_t>(best)] = {box.begin, cut};
        boxes.push_back({cut, box.end});
    }

    std::vector<std::array<double, 3>> centres;
    for (const Box &box : boxes) {
        std::array<double, 3> sum{};
        double weight = 0;
        for (int s = box.begin; s < box.end; ++s) {
            const Sample &sample = samples[static_cast<size_t>(s)];
            for (size_t c = 0; c < 3; ++c) {
                sum[c] += sample.rgb[c] * sample.count;
            }
            weight += sample.count;
        }
        for (double &v : sum) {
            v /= weight;
        }
        centres.push_back(sum);
    }
    for (int round = 0; round < 8; ++round) {
        std::vector<std::array<double, 4>> acc(centres.size(), {0, 0, 0, 0});
        for (const Sample &sample : samples) {
            size_t nearest = 0;
            double bestDist = std::numeric_limits<double>::max();
            for (size_t k = 0; k < centres.size(); ++k) {
                double d = 0;
                for (size_t c = 0; c < 3; ++c) {
                    const double diff = sample.rgb[c] - centres[k][c];
                    d += diff * diff;
                }
                if (d < bestDist) {
                    bestDist = d;
                    nearest = k;
                }
            }
            for (size_t c = 0; c < 3; ++c) {
                acc[nearest][c] += sample.rgb[c] * sample.count;
            }
            acc[nearest][3] += sample.count;
        }
        for (size_t k = 0; k < centres.size(); ++k) {
            if (acc[k][3] > 0) {
                for (size_t c = 0; c < 3; ++c) {
                    centres[k][c] = acc[k][c] / acc[k][3];
                }
            }
        }
    }
    QVector<QRgb> palette;
    for (const auto &centre : centres) {
        palette.append(qRgb(qRound(centre[0]), qRound(centre[1]), qRound(centre[2])));
    }
    return palette;
}

int nearestIndex(const QVector<QRgb> &palette, QRgb colour, int first)
{
    int best = first;
    int bestDist = std::numeric_limits<int>::max();
    for (int i = first; i < palette.size(); ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

bool transparentAt(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) < 128;
}

QByteArray encodeIconImage(const QImage &source, int bitCount)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int xorStride = rowBytes(w, bitCount);
    const int andStride = rowBytes(w, 1);
    const int paletteSize = bitCount <= 8 ? (1 << bitCount) : 0;

    // Index 0 stays black: transparent pixels are black in the colour plane
    // so that the AND/XOR pair leaves the screen untouched.
    QVector<QRgb> palette;
    if (paletteSize > 0) {
        palette.append(qRgb(0, 0, 0));
        palette += buildPalette(image, paletteSize - 1);
        while (palette.size() < paletteSize) {
            palette.append(qRgb(0, 0, 0));
        }
    }

    QByteArray out;
    putInfoHeader(out, w, h * 2, bitCount, static_cast<qint64>(xorStride + andStride) * h, 0,
                  paletteSize);
    for (QRgb colour : palette) {
        putByte(out, qBlue(colour));
        putByte(out, qGreen(colour));
        putByte(out, qRed(colour));
        putByte(out, 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (bitCount == 32) {
                const bool clear = qAlpha(pixel) == 0;
                row[4 * x + 0] = static_cast<char>(clear ? 0 : qBlue(pixel));
                row[4 * x + 1] = static_cast<char>(clear ? 0 : qGreen(pixel));
                row[4 * x + 2] = static_cast<char>(clear ? 0 : qRed(pixel));
                row[4 * x + 3] = static_cast<char>(qAlpha(pixel));
                continue;
            }
            const int index = transparentAt(image, x, y) ? 0 : nearestIndex(palette, pixel, 1);
            if (bitCount == 8) {
                row[x] = static_cast<char>(index);
            } else {
                const int shift = (x % 2 == 0) ? 4 : 0;
                row[x / 2] = static_cast<char>(static_cast<quint8>(row[x / 2]) | (index << shift));
            }
        }
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (transparentAt(image, x, y)) {
                row[x / 8] = static_cast<char>(static_cast<quint8>(row[x / 8]) | (0x80 >> (x % 8)));
            }
        }
        out.append(row);
    }
    return out;
}

} // namespace

QByteArray encodeBmp24(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const int stride = rowBytes(w, 24);
    const qint64 pixelBytes = static_cast<qint64>(stride) * h;

    QByteArray out;
    out.append("BM", 2);
    put32(out, 14 + 40 + pixelBytes);
    put16(out, 0);
    put16(out, 0);
    put32(out, 14 + 40);
    putInfoHeader(out, w, h, 24, pixelBytes, 2834, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            row[3 * x + 0] = static_cast<char>(qBlue(line[x]));
            row[3 * x + 1] = static_cast<char>(qGreen(line[x]));
            row[3 * x + 2] = static_cast<char>(qRed(line[x]));
        }
        out.append(row);
    }
    return out;
}

QByteArray encodeIco(const QVector<IconImage> &images)
{
    QVector<QByteArray> blobs;
    for (const IconImage &entry : images) {
        blobs.append(encodeIconImage(entry.image, entry.bitCount));
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon, not cursor
    put16(out, static_cast<int>(images.size()));
    qint64 offset = 6 + 16 * static_cast<qint64>(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const QImage &image = images[i].image;
        const int bitCount = images[i].bitCount;
        putByte(out, image.width() >= 256 ? 0 : image.width());
        putByte(out, image.height() >= 256 ? 0 : image.height());
        putByte(out, bitCount == 4 ? 16 : 0); // colour count, 0 when 256 or more
        putByte(out, 0);
        put16(out, 1);
        put16(out, bitCount);
        put32(out, blobs[i].size());
        put32(out, offset);
        offset += blobs[i].size();
    }
    for (const QByteArray &blob : blobs) {
        out.append(blob);
    }
    return out;
}

QImage quantized(const QImage &source, int colours)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QVector<QRgb> palette{qRgb(0, 0, 0)};
    palette += buildPalette(image, colours - 1);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (transparentAt(image, x, y)) {
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
            } else {
                image.setPixel(x, y, palette[nearestIndex(palette, image.pixel(x, y), 1)]);
            }
        }
    }
    return image;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(bytes) == bytes.size();
}

} // namespace pictures
