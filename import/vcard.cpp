// SPDX-License-Identifier: MIT
#include "import/vcard.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

#include "import/import_texts.h"
#include "text/cp932.h"
#include "text/program_text.h"
#include "text/utf8.h"

namespace {

enum class Charset { Unnamed, Utf8, Cp932, Latin1 };

Charset charsetNamed(const QString& name)
{
    const QString n = name.toLower();
    if (n.isEmpty()) {
        return Charset::Unnamed;
    }
    if (n.contains(QLatin1String("jis")) || n.contains(QLatin1String("932")) ||
        n.contains(QLatin1String("31j")) || n.contains(QLatin1String("kanji"))) {
        return Charset::Cp932;
    }
    if (n == QLatin1String("iso-8859-1") || n == QLatin1String("latin1") ||
        n == QLatin1String("us-ascii")) {
        return Charset::Latin1;
    }
    return Charset::Utf8;
}

// The bytes a value's text stood for before the file was decoded.
QByteArray bytesIn(const QString& text, Charset charset)
{
    switch (charset) {
        case Charset::Cp932: {
            const std::string bytes = cp932::fromUnicodeLossy(text);
            return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
        }
        case Charset::Latin1:
            return text.toLatin1();
        case Charset::Unnamed:
        case Charset::Utf8:
            break;
    }
    return text.toUtf8();
}

QString decodeIn(const QByteArray& bytes, Charset charset)
{
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    switch (charset) {
        case Charset::Cp932:
            return cp932::toUnicode(view);
        case Charset::Latin1:
            return QString::fromLatin1(bytes);
        case Charset::Utf8:
            return QString::fromUtf8(bytes);
        case Charset::Unnamed:
            break;
    }
    return utf8::isValid(view) ? QString::fromUtf8(bytes) : cp932::toUnicode(view);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

QByteArray decodeQuotedPrintable(const QByteArray& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            bytes.append(text[i]);
            continue;
        }
        const int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
        if (high >= 0 && low >= 0) {
            bytes.append(static_cast<char>(high * 16 + low));
            i += 2;
        } else if (i + 1 < text.size()) {
            bytes.append('=');  // not an escape: kept as written
        }
    }
    return bytes;
}

struct Property {
    QString group;      // lower case
    QString name;       // upper case
    QStringList types;  // lower case
    QString encoding;   // lower case
    Charset charset = Charset::Unnamed;
    QString value;
};

QString unquoted(QString text)
{
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) {
        return text.mid(1, text.size() - 2);
    }
    return text;
}

// Splits at `separator` where it stands outside double quotes.
QStringList splitOutsideQuotes(QStringView text, QChar separator)
{
    QStringList parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'"') {
            quoted = !quoted;
        } else if (text[i] == separator && !quoted) {
            parts << text.sliced(start, i - start).toString();
            start = i + 1;
        }
    }
    parts << text.sliced(start).toString();
    return parts;
}

void addParameter(Property& property, const QString& parameter)
{
    const qsizetype equals = parameter.indexOf(u'=');
    const QString key = (equals < 0 ? QString() : parameter.left(equals)).trimmed().toUpper();
    const QString value = unquoted(parameter.mid(equals + 1).trimmed());
    if (key == QLatin1String("ENCODING") ||
        (key.isEmpty() &&
         (value.compare(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive) == 0 ||
          value.compare(QLatin1String("BASE64"), Qt::CaseInsensitive) == 0))) {
        property.encoding = value.toLower();
    } else if (key == QLatin1String("CHARSET")) {
        property.charset = charsetNamed(value);
    } else if (key.isEmpty() || key == QLatin1String("TYPE")) {
        // 2.1 writes a bare HOME; 4.0 may quote a list, TYPE="home,pref".
        for (const QString& type : splitOutsideQuotes(value, u',')) {
            property.types << unquoted(type.trimmed()).toLower();
        }
    }
}

bool isWanted(const QString& name)
{
    return name == QLatin1String("N") || name == QLatin1String("FN") ||
           name == QLatin1String("ADR") || name == QLatin1String("X-ABLABEL") ||
           name == QLatin1String("NOTE") || name == QLatin1String("X-ABRELATEDNAMES") ||
           name == QLatin1String("RELATED");
}

std::optional<Property> parseProperty(QStringView line)
{
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == u'"') {
            quoted = !quoted;
        } else if (line[i] == u':' && !quoted) {
            colon = i;
        }
    }
    if (colon < 0) {
        return std::nullopt;
    }
    const QStringList head = splitOutsideQuotes(line.first(colon), u';');
    Property property;
    const QString& groupAndName = head.front();
    const qsizetype dot = groupAndName.lastIndexOf(u'.');
    property.group = groupAndName.left(std::max<qsizetype>(dot, 0)).trimmed().toLower();
    property.name = groupAndName.mid(dot + 1).trimmed().toUpper();
    for (qsizetype i = 1; i < head.size(); ++i) {
        addParameter(property, head[i]);
    }
    property.value = line.sliced(colon + 1).toString();
    if (!isWanted(property.name)) {
        return property;  // a photo's data is never decoded
    }
    if (property.encoding == QLatin1String("quoted-printable")) {
        property.value = decodeIn(decodeQuotedPrintable(bytesIn(property.value, property.charset)),
                                  property.charset);
    } else if (property.encoding == QLatin1String("b") ||
               property.encoding == QLatin1String("base64")) {
        property.value =
            decodeIn(QByteArray::fromBase64(property.value.toLatin1()), property.charset);
    }
    return property;
}

// Splits a structured value at the semicolons that are not escaped (when
// `split`), and resolves the backslash escapes; an unknown one is kept.
QStringList unescapedComponents(const QString& value, bool split)
{
    QStringList components;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            if (next == u'n' || next == u'N') {
                current += u'\n';
            } else if (next == u';' || next == u',' || next == u'\\' || next == u':') {
                current += next;
            } else {
                current += c;
                current += next;
            }
        } else if (c == u';' && split) {
            components << current;
            current.clear();
        } else {
            current += c;
        }
    }
    components << current;
    return components;
}

// Apple writes its own labels as _$!<Home>!$_.
QString labelText(QString label)
{
    label = label.trimmed();
    if (label.startsWith(QLatin1String("_$!<")) && label.endsWith(QLatin1String(">!$_"))) {
        label = label.mid(4, label.size() - 8);
    }
    return label;
}

bool isHomeLabel(const QString& label)
{
    const QString text = labelText(label);
    return text.compare(QLatin1String("home"), Qt::CaseInsensitive) == 0 ||
           text == QString::fromUtf8("自宅");
}

bool isSpouseLabel(const QString& label)
{
    const QString text = labelText(label);
    return text.compare(QLatin1String("spouse"), Qt::CaseInsensitive) == 0 ||
           text == QString::fromUtf8("配偶者") || text == QString::fromUtf8("妻") ||
           text == QString::fromUtf8("夫");
}

// One card while its lines are read.
class CardReader {
public:
    explicit CardReader(int number)
    {
        contact_.place = uiText(import_texts::kPlaceCard).arg(number);
    }

    void take(const Property& property)
    {
        if (property.name == QLatin1String("N")) {
            const QStringList parts = unescapedComponents(property.value, true);
            contact_.familyName = parts.value(0);
            contact_.givenName = parts.value(1);
        } else if (property.name == QLatin1String("FN")) {
            contact_.fullName = unescapedComponents(property.value, false).value(0);
        } else if (property.name == QLatin1String("ADR")) {
            addresses_.push_back({unescapedComponents(property.value, true),
                                  property.types.contains(QLatin1String("home")), property.group});
        } else if (property.name == QLatin1String("X-ABLABEL") && !property.group.isEmpty()) {
            if (isHomeLabel(property.value)) {
                homeGroups_ << property.group;
            } else if (isSpouseLabel(property.value)) {
                spouseGroups_ << property.group;
            }
        } else if (property.name == QLatin1String("NOTE")) {
            contact_.memo = unescapedComponents(property.value, false).value(0);
        } else if (property.name == QLatin1String("X-ABRELATEDNAMES")) {
            related_.push_back(
                {unescapedComponents(property.value, false).value(0), property.group, false});
        } else if (property.name == QLatin1String("RELATED") &&
                   property.types.contains(QLatin1String("spouse"))) {
            // 4.0 gives a name as text, or a URI of another card, which names nobody.
            const QString value = unescapedComponents(property.value, false).value(0);
            if (!value.contains(u':')) {
                related_.push_back({value, property.group, true});
            }
        }
    }

    Contact finish()
    {
        const Address* chosen = nullptr;
        for (const Address& address : addresses_) {
            const bool home =
                address.home || (!address.group.isEmpty() && homeGroups_.contains(address.group));
            if (hasParts(address) && (home || chosen == nullptr)) {
                chosen = &address;
                if (home) {
                    break;
                }
            }
        }
        if (chosen != nullptr) {
            // post office box; extended; street; locality; region; postal code; country
            const QStringList& c = chosen->components;
            contact_.postalCode = c.value(5);
            contact_.country = c.value(6);
            if (onlyExtended(*chosen)) {
                // Android keeps an address typed as free text in the extended part.
                contact_.wholeAddress = c.value(1);
            } else {
                contact_.furtherParts = {c.value(1), c.value(0)};
                contact_.street = c.value(2);
                contact_.city = c.value(3);
                contact_.prefecture = c.value(4);
            }
        }
        for (const Related& related : related_) {
            if (related.spouse || spouseGroups_.contains(related.group)) {
                contact_.spouse = related.name;
                break;
            }
        }
        return contact_;
    }

private:
    struct Address {
        QStringList components;
        bool home = false;
        QString group;
    };

    static bool onlyExtended(const Address& address)
    {
        const QStringList& c = address.components;
        return !c.value(1).trimmed().isEmpty() && c.value(2).trimmed().isEmpty() &&
               c.value(3).trimmed().isEmpty() && c.value(4).trimmed().isEmpty();
    }

    static bool hasParts(const Address& address)
    {
        for (qsizetype i = 0; i < 5 && i < address.components.size(); ++i) {
            if (!address.components[i].trimmed().isEmpty()) {
                return true;
            }
        }
        return false;
    }

    struct Related {
        QString name;
        QString group;
        bool spouse = false;  // RELATED;TYPE=spouse
    };

    Contact contact_;
    std::vector<Address> addresses_;
    QStringList homeGroups_;
    QStringList spouseGroups_;
    std::vector<Related> related_;
};

bool isQuotedPrintableLine(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    return colon > 0 &&
           line.first(colon).contains(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive);
}

// Calls `handle` with each logical line: folded lines joined again (a line
// that begins with a space or tab continues the one before), and a
// quoted-printable value continued after a soft line break ("=" at the end).
template <typename Handle>
void forEachUnfoldedLine(QStringView text, Handle handle)
{
    QString current;
    bool started = false;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r') {
            ++end;
        }
        const QStringView line = text.sliced(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == u'\r') {
            ++pos;
        }
        if (pos < text.size() && text[pos] == u'\n') {
            ++pos;
        }
        if (started && current.endsWith(u'=') && isQuotedPrintableLine(current)) {
            current.chop(1);
            current += line;
        } else if (started && !line.isEmpty() && (line[0] == u' ' || line[0] == u'\t')) {
            current += line.sliced(1);
        } else {
            if (started) {
                handle(QStringView(current));
            }
            current = line.toString();
            started = true;
        }
    }
    if (started) {
        handle(QStringView(current));
    }
}

bool isCardBoundary(const Property& property, const char* which)
{
    return property.name == QLatin1String(which) &&
           property.value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool LooksLikeVCard(QStringView text)
{
    for (QStringView line : text.tokenize(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (!trimmed.isEmpty()) {
            return trimmed.compare(QLatin1String("BEGIN:VCARD"), Qt::CaseInsensitive) == 0;
        }
    }
    return false;
}

std::vector<Contact> ContactsFromVCard(QStringView text)
{
    std::vector<Contact> contacts;
    std::optional<CardReader> card;
    int cards = 0;
    int depth = 0;  // a card may hold another (AGENT), which is skipped
    forEachUnfoldedLine(text, [&](QStringView line) {
        const std::optional<Property> property = parseProperty(line);
        if (!property) {
            return;
        }
        if (isCardBoundary(*property, "BEGIN")) {
            if (++depth == 1) {
                card.emplace(++cards);
            }
        } else if (isCardBoundary(*property, "END")) {
            if (depth > 0 && --depth == 0) {
                contacts.push_back(card->finish());
                card.reset();
            }
        } else if (depth == 1) {
            card->take(*property);
        }
    });
    if (card) {
        contacts.push_back(card->finish());  // a file cut off before END:VCARD
    }
    return contacts;
}
