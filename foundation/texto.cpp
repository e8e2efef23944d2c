#include "foundation/texto.h"

#include <langinfo.h>

#include <clocale>

#include <QList>
#include <array>

namespace velmora {

namespace {

// Characters of the bytes 0x80 to 0x9F. The five bytes that Windows-1252 leaves undefined
// keep their C1 control code point, as Windows itself does, so that they round-trip.
constexpr std::array<char16_t, 32> kBloque80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char ByteDe(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kBloque80.size(); ++i) {
        if (kBloque80[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

QString DeWindows1252(const std::string& bytes) {
    QString texto;
    texto.reserve(static_cast<qsizetype>(bytes.size()));
    for (char b : bytes) {
        auto u = static_cast<unsigned char>(b);
        texto.append(QChar(u >= 0x80 && u <= 0x9F ? kBloque80[u - 0x80] : char16_t(u)));
    }
    return texto;
}

std::string AWindows1252(const QString& texto) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(texto.size()));
    // By code point, so that a character outside the BMP gives one '?', not two.
    for (char32_t c : texto.toUcs4()) bytes.push_back(ByteDe(c));
    return bytes;
}

std::string Utf8DeWindows1252(const std::string& bytes) {
    return DeWindows1252(bytes).toStdString();
}

std::string Windows1252DeUtf8(const std::string& utf8) {
    return AWindows1252(QString::fromStdString(utf8));
}

void LocaleUtf8() {
    std::setlocale(LC_ALL, "");
    const std::string juego = nl_langinfo(CODESET);
    if (juego != "UTF-8") std::setlocale(LC_CTYPE, "C.UTF-8");
}

}  // namespace velmora
