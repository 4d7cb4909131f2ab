#include "engine/Collation.h"

#include <QChar>
#include <array>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <vector>

namespace {

// Raised whenever the order itself changes: files written under another number have
// their indexes rebuilt when they are opened.
constexpr int kOrderVersion = 1;

// Markers that open a range bound (never the first byte of valid UTF-8).
constexpr unsigned char kBoundMarker = 0xFF;
constexpr unsigned char kLowerBound = 0x01;
constexpr unsigned char kUpperBound = 0x02;

bool IsMark(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

// Letters that carry their accent in their shape and so have no decomposition: the
// base letters they are read as.
QString BaseLetters(QChar c) {
    switch (c.unicode()) {
    case u'ł':
        return "l";
    case u'đ':
    case u'ð':
        return "d";
    case u'ø':
        return "o";
    case u'ħ':
        return "h";
    case u'ŧ':
        return "t";
    case u'ı':
        return "i";
    case u'ŋ':
        return "n";
    case u'ƒ':
        return "f";
    case u'æ':
        return "ae";
    case u'œ':
        return "oe";
    case u'ß':
        return "ss";
    case u'þ':
        return "th";
    default:
        return QString(c);
    }
}

// The units a character of the Basic Multilingual Plane counts as: at the first level
// its base letters (case folded, compatibility forms and accents set aside), at the
// second level its case-folded canonical decomposition (base letters and accents).
// Made for a block of 256 characters when the block is first needed.
struct Block {
    std::vector<char16_t> pool;
    std::array<quint32, 256> first{};  // offset << 8 | length
    std::array<quint32, 256> second{}; // offset << 8 | length
};

quint32 Append(std::vector<char16_t>& pool, const QString& units) {
    const quint32 offset = quint32(pool.size());
    for (QChar u : units)
        pool.push_back(u.unicode());
    return offset << 8 | quint32(std::min<qsizetype>(units.size(), 255));
}

std::unique_ptr<Block> MakeBlock(int block) {
    auto b = std::make_unique<Block>();
    for (int i = 0; i < 256; ++i) {
        const char16_t c = char16_t(block * 256 + i);
        QString folded, second, first;
        if (QChar::isSurrogate(c)) {
            folded = second = first = QString(QChar(c));
        } else {
            folded = QString(QChar(c)).toCaseFolded();
            second = folded.normalized(QString::NormalizationForm_D);
            for (QChar k : folded.normalized(QString::NormalizationForm_KD))
                if (!IsMark(k.unicode()))
                    first += BaseLetters(k);
            first = first.toCaseFolded();
        }
        b->first[i] = Append(b->pool, first);
        b->second[i] = Append(b->pool, second);
    }
    return b;
}

const Block& BlockOf(char32_t c) {
    static std::array<std::unique_ptr<Block>, 256> blocks;
    static std::array<std::once_flag, 256> made;
    const int block = int(c >> 8);
    std::call_once(made[block], [block] { blocks[block] = MakeBlock(block); });
    return *blocks[block];
}

char16_t AsciiLower(char32_t c) {
    return char16_t(c >= 'A' && c <= 'Z' ? c + 32 : c);
}

// Code points of UTF-16 text, with the position after each.
class Utf16Reader {
public:
    explicit Utf16Reader(QStringView s, qsizetype from = 0) : m_s(s), m_pos(from) {}
    bool Next(char32_t& c) {
        if (m_pos >= m_s.size())
            return false;
        const char16_t u = m_s[m_pos].unicode();
        if (QChar::isHighSurrogate(u) && m_pos + 1 < m_s.size() &&
            QChar::isLowSurrogate(m_s[m_pos + 1].unicode())) {
            c = QChar::surrogateToUcs4(u, m_s[m_pos + 1].unicode());
            m_pos += 2;
        } else {
            c = u;
            ++m_pos;
        }
        return true;
    }
    qsizetype Position() const { return m_pos; }

private:
    QStringView m_s;
    qsizetype m_pos;
};

// Code points of UTF-8 text; a byte that starts no valid sequence reads as U+FFFD.
class Utf8Reader {
public:
    Utf8Reader(const unsigned char* p, const unsigned char* end) : m_p(p), m_end(end) {}
    bool Next(char32_t& c) {
        if (m_p >= m_end)
            return false;
        const unsigned char b = *m_p;
        int extra = 0;
        char32_t min = 0;
        if (b < 0x80) {
            c = b;
            ++m_p;
            return true;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, c = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, c = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, c = b & 0x07, min = 0x10000;
        } else {
            c = 0xFFFD;
            ++m_p;
            return true;
        }
        if (m_end - m_p <= extra) {
            c = 0xFFFD;
            ++m_p;
            return true;
        }
        for (int i = 1; i <= extra; ++i) {
            if ((m_p[i] & 0xC0) != 0x80) {
                c = 0xFFFD;
                ++m_p;
                return true;
            }
            c = (c << 6) | (m_p[i] & 0x3F);
        }
        if (c < min || c > 0x10FFFF)
            c = 0xFFFD;
        m_p += extra + 1;
        return true;
    }

private:
    const unsigned char* m_p;
    const unsigned char* m_end;
};

// The units of a text at one level, one at a time.
template <class Reader> class Units {
public:
    Units(Reader reader, bool second) : m_reader(reader), m_second(second) {}
    bool Next(char32_t& unit) {
        while (m_at == m_count) {
            char32_t c;
            if (!m_reader.Next(c))
                return false;
            Load(c);
        }
        unit = m_units ? m_units[m_at] : m_single;
        ++m_at;
        return true;
    }
    const Reader& Source() const { return m_reader; }

private:
    void Load(char32_t c) {
        m_at = 0;
        if (c < 0x80) {
            m_units = nullptr;
            m_single = AsciiLower(c);
            m_count = 1;
        } else if (c < 0x10000) {
            const Block& b = BlockOf(c);
            const quint32 entry = m_second ? b.second[c & 0xFF] : b.first[c & 0xFF];
            m_units = b.pool.data() + (entry >> 8);
            m_count = int(entry & 0xFF);
        } else {
            m_units = nullptr;
            m_single = QChar::toCaseFolded(c);
            m_count = 1;
        }
    }

    Reader m_reader;
    bool m_second;
    const char16_t* m_units = nullptr;
    char32_t m_single = 0;
    int m_count = 0;
    int m_at = 0;
};

template <class Reader> int CompareLevel(Reader a, Reader b, bool second) {
    Units<Reader> x(a, second), y(b, second);
    for (;;) {
        char32_t u, v;
        const bool hasU = x.Next(u), hasV = y.Next(v);
        if (!hasU || !hasV)
            return hasU == hasV ? 0 : (hasU ? 1 : -1);
        if (u != v)
            return u < v ? -1 : 1;
    }
}

template <class Reader> int CompareLevels(Reader a, Reader b) {
    if (const int c = CompareLevel(a, b, false))
        return c;
    return CompareLevel(a, b, true);
}

// A range bound against a text: the bound's prefix against the text's first level.
int CompareBound(const unsigned char* bound, qsizetype boundBytes, const unsigned char* text,
                 qsizetype textBytes) {
    const bool lower = boundBytes >= 2 && bound[1] == kLowerBound;
    const qsizetype skip = std::min<qsizetype>(boundBytes, 2);
    Units<Utf8Reader> p(Utf8Reader(bound + skip, bound + boundBytes), false);
    Units<Utf8Reader> t(Utf8Reader(text, text + textBytes), false);
    for (;;) {
        char32_t u, v;
        if (!p.Next(u)) // the text begins with the prefix
            return lower ? -1 : 1;
        if (!t.Next(v) || v < u) // the text comes before every text that begins with it
            return 1;
        if (v > u)
            return -1;
    }
}

int CompareCallback(void*, int aBytes, const void* a, int bBytes, const void* b) {
    return CompareTextUtf8(static_cast<const char*>(a), aBytes, static_cast<const char*>(b),
                           bBytes);
}

} // namespace

int CompareText(QStringView a, QStringView b) {
    // Plain ASCII letters count as themselves in lower case at both levels.
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= 0x80 || y >= 0x80)
            break;
        const char16_t lx = AsciiLower(x), ly = AsciiLower(y);
        if (lx != ly)
            return lx < ly ? -1 : 1;
    }
    if (i == n) {
        if (a.size() == b.size())
            return 0;
        const QStringView rest = a.size() > n ? a : b;
        if (rest[n].unicode() < 0x80)
            return a.size() < b.size() ? -1 : 1;
    }
    return CompareLevels(Utf16Reader(a, i), Utf16Reader(b, i));
}

int CompareTextUtf8(const char* a, qsizetype aBytes, const char* b, qsizetype bBytes) {
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    const bool boundA = aBytes > 0 && x[0] == kBoundMarker;
    const bool boundB = bBytes > 0 && y[0] == kBoundMarker;
    if (boundA && !boundB)
        return CompareBound(x, aBytes, y, bBytes);
    if (boundB && !boundA)
        return -CompareBound(y, bBytes, x, aBytes);
    if (boundA && boundB) { // by prefix, then the lower bound first
        const qsizetype sa = std::min<qsizetype>(aBytes, 2), sb = std::min<qsizetype>(bBytes, 2);
        if (const int c =
                CompareLevel(Utf8Reader(x + sa, x + aBytes), Utf8Reader(y + sb, y + bBytes), false))
            return c;
        const int ka = aBytes >= 2 ? x[1] : 0, kb = bBytes >= 2 ? y[1] : 0;
        return ka == kb ? 0 : (ka < kb ? -1 : 1);
    }
    const qsizetype n = std::min(aBytes, bBytes);
    qsizetype i = 0;
    for (; i < n; ++i) {
        if (x[i] >= 0x80 || y[i] >= 0x80)
            break;
        const char16_t lx = AsciiLower(x[i]), ly = AsciiLower(y[i]);
        if (lx != ly)
            return lx < ly ? -1 : 1;
    }
    if (i == n) {
        if (aBytes == bBytes)
            return 0;
        const unsigned char next = aBytes > n ? x[n] : y[n];
        if (next < 0x80)
            return aBytes < bBytes ? -1 : 1;
    }
    return CompareLevels(Utf8Reader(x + i, x + aBytes), Utf8Reader(y + i, y + bBytes));
}

bool PrefixHasNoLetter(QStringView prefix) {
    Units<Utf16Reader> p(Utf16Reader(prefix), false);
    char32_t u;
    return !prefix.isEmpty() && !p.Next(u);
}

qsizetype MatchPrefix(QStringView text, QStringView prefix) {
    if (prefix.isEmpty())
        return 0;
    // The letters decide: the prefix's first-level units begin the text's.
    Units<Utf16Reader> p(Utf16Reader(prefix), false);
    Units<Utf16Reader> t(Utf16Reader(text), false);
    char32_t u, v;
    bool any = false;
    while (p.Next(u)) {
        if (!t.Next(v) || v != u)
            return -1;
        any = true;
    }
    if (!any) // a prefix of nothing but accents: it names no letter
        return -1;
    // The covered part: the whole of the last character reached, and its accents.
    qsizetype end = t.Source().Position();
    Utf16Reader rest(text, end);
    char32_t c;
    while (rest.Next(c) && IsMark(c))
        end = rest.Position();
    return end;
}

QByteArray PrefixLowerBound(QStringView prefix) {
    QByteArray bound;
    bound.append(char(kBoundMarker)).append(char(kLowerBound));
    return bound + prefix.toUtf8();
}

QByteArray PrefixUpperBound(QStringView prefix) {
    QByteArray bound;
    bound.append(char(kBoundMarker)).append(char(kUpperBound));
    return bound + prefix.toUtf8();
}

void RegisterCollation(sqlite3* db) {
    sqlite3_create_collation_v2(db, kCollationName, SQLITE_UTF8, nullptr, CompareCallback, nullptr);
}

int CollationVersion() {
    return kOrderVersion * 100 + int(QChar::currentUnicodeVersion());
}
