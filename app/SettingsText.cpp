// Finds a key's line in INI text and decodes its value without splitting it.
#include "SettingsText.h"

#include <QStringDecoder>

namespace reversi {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineSpace(char c) { return IsBlank(c) || c == '\n' || c == '\r'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
int OctalDigit(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

// One logical line: where it starts and ends, and its first "=" outside
// quotes (-1 when none). A line ends at a line break outside quotes; a
// backslash takes the next character with it (so an escaped line break
// continues the line); a ";" opening a line makes it a comment.
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = -1;
};

// Reads the next line from pos; false at the end of the text.
bool NextLine(QByteArrayView text, qsizetype& pos, Line& line) {
    const qsizetype size = text.size();
    for (;;) {
        while (pos < size && IsLineSpace(text[pos])) ++pos;
        if (pos >= size) return false;
        if (text[pos] != ';') break;
        while (pos < size && text[pos] != '\n' && text[pos] != '\r') ++pos;
    }
    line = Line{pos, pos, -1};
    bool quoted = false;
    qsizetype i = pos;
    while (i < size) {
        const char c = text[i];
        if ((c == '\n' || c == '\r') && !quoted) break;
        ++i;
        if (c == '=' && !quoted && line.equals < 0) {
            line.equals = i - 1;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i < size) {
            const char next = text[i++];
            if (i < size &&
                ((next == '\n' && text[i] == '\r') || (next == '\r' && text[i] == '\n')))
                ++i;
        }
    }
    line.end = i;
    pos = i;
    return true;
}

QByteArrayView Trimmed(QByteArrayView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && IsLineSpace(text[from])) ++from;
    while (to > from && IsLineSpace(text[to - 1])) --to;
    return text.sliced(from, to - from);
}

// Removes blanks at the end of text, but none before `keep` (they were quoted
// or written as escapes).
void ChopBlanks(QString& text, qsizetype keep) {
    while (text.size() > keep && (text.back() == u' ' || text.back() == u'\t')) text.chop(1);
}

// Decodes a value as QSettings decodes one without commas (blanks skipped at
// the start and after a closing quote, quotes removed, backslash escapes,
// UTF-8), with commas and semicolons as plain characters.
QString DecodeValue(QByteArrayView value) {
    QString text;
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    const qsizetype size = value.size();
    qsizetype i = 0;
    bool quoted = false;
    bool anyQuote = false;
    const auto skipBlanks = [&] {
        while (i < size && IsBlank(value[i])) ++i;
    };
    skipBlanks();
    qsizetype keep = 0;
    while (i < size) {
        const char c = value[i];
        if (c == '"') {
            ++i;
            quoted = !quoted;
            anyQuote = true;
            if (!quoted) skipBlanks();
            continue;
        }
        if (c != '\\') {
            qsizetype j = i + 1;
            while (j < size && value[j] != '\\' && value[j] != '"') ++j;
            text += fromUtf8(value.sliced(i, j - i));
            i = j;
            continue;
        }
        ++i;
        if (i >= size) break;
        const char e = value[i++];
        switch (e) {
            case 'a':
                text += u'\a';
                break;
            case 'b':
                text += u'\b';
                break;
            case 'f':
                text += u'\f';
                break;
            case 'n':
                text += u'\n';
                break;
            case 'r':
                text += u'\r';
                break;
            case 't':
                text += u'\t';
                break;
            case 'v':
                text += u'\v';
                break;
            case '"':
            case '?':
            case '\'':
            case '\\':
                text += QLatin1Char(e);
                break;
            case 'x': {
                if (i >= size || HexDigit(value[i]) < 0) break;
                char16_t code = 0;
                while (i < size && HexDigit(value[i]) >= 0)
                    code = static_cast<char16_t>((code << 4) + HexDigit(value[i++]));
                text += QChar(code);
                break;
            }
            case '\n':
            case '\r':
                // An escaped line break joins the lines.
                if (i < size && (value[i] == '\n' || value[i] == '\r') && value[i] != e) ++i;
                break;
            default:
                if (OctalDigit(e) >= 0) {
                    char16_t code = static_cast<char16_t>(OctalDigit(e));
                    while (i < size && OctalDigit(value[i]) >= 0)
                        code = static_cast<char16_t>((code << 3) + OctalDigit(value[i++]));
                    text += QChar(code);
                }
                // Any other escaped character is dropped.
                break;
        }
        keep = text.size();
    }
    // Blanks at the end count only in a value with quotes.
    if (!anyQuote) ChopBlanks(text, keep);
    return text;
}

}  // namespace

std::optional<QString> StoredText(QByteArrayView file, const QString& key) {
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    const QByteArray section = slash < 0 ? QByteArray() : key.left(slash).toUtf8();
    const QByteArray name = key.mid(slash + 1).toUtf8();

    if (file.startsWith("\xef\xbb\xbf")) file = file.sliced(3);
    std::optional<QByteArrayView> found;
    QByteArray current;  // the section of the lines being read; "" for [General]
    qsizetype pos = 0;
    Line line;
    while (NextLine(file, pos, line)) {
        const QByteArrayView text = file.sliced(line.start, line.end - line.start);
        if (text.startsWith('[')) {
            const qsizetype close = text.indexOf(']');
            current = Trimmed(text.sliced(1, (close < 0 ? text.size() : close) - 1)).toByteArray();
            if (current.compare("general", Qt::CaseInsensitive) == 0) current.clear();
            continue;
        }
        if (line.equals < 0 || current != section) continue;
        const qsizetype equals = line.equals - line.start;
        if (Trimmed(text.first(equals)) != QByteArrayView(name)) continue;
        found = text.sliced(equals + 1);
    }
    if (!found) return std::nullopt;
    QString value = DecodeValue(*found);
    // QSettings doubles a leading "@" of text; any other leading "@" starts
    // its own notation.
    if (value.startsWith(QLatin1String("@@"))) return value.mid(1);
    if (value.startsWith(QLatin1Char('@'))) return std::nullopt;
    return value;
}

}  // namespace reversi
