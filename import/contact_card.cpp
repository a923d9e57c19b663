// SPDX-License-Identifier: MIT
#include "import/contact_card.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

#include "import/free_text_address.h"
#include "import/import_texts.h"
#include "text/cp932.h"
#include "text/program_text.h"

namespace {

constexpr QChar kMissingMark = u'\u3013';  // 〓
constexpr QChar kIdeographicSpace = u'\u3000';

bool isLineBreak(char32_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == 0x85 || c == 0x2028 ||
           c == 0x2029;
}

// Characters nobody sees, which code page 932 lacks and would only show as 〓:
// zero-width spaces and joiners, byte-order marks, direction marks, and the
// variation selectors that pick a glyph of the character before them.
bool isInvisible(char32_t c)
{
    return QChar::category(c) == QChar::Other_Format || (c >= 0xFE00 && c <= 0xFE0F) ||
           (c >= 0xE0100 && c <= 0xE01EF);
}

template <typename Visit>
void forEachCodePoint(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        visit(c);
    }
}

// The names or honorifics one field lists: 花子、翔太 or 花子/翔太.
QStringList listedIn(const QString& text)
{
    static const QString separators = QStringLiteral("\n\r、,，;；/／");
    QStringList items;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || separators.contains(text[i])) {
            QString item = SingleLine(QStringView(text).sliced(start, i - start));
            if (!item.isEmpty()) {
                items << std::move(item);
            }
            start = i + 1;
        }
    }
    return items;
}

// A ";" would read as the joint separator at the next load.
QString withoutJointSeparator(QString text)
{
    return text.replace(u';', u'\uFF1B');
}

// Appends a part of address line 1. Many people write the whole address in
// the street, or the prefecture in the city: a part that repeats the end of
// the line (from its start, or from after the suffix of a prefecture, city,
// ward, town, village or county) takes over from where the repetition begins.
void appendAddressPart(QString& line, const QString& part)
{
    static const QString unitSuffixes = QString::fromUtf8("都道府県市区町村郡");
    // Only an end no longer than the part can be repeated by it.
    for (qsizetype pos = std::max<qsizetype>(0, line.size() - part.size()); pos < line.size();
         ++pos) {
        if ((pos == 0 || unitSuffixes.contains(line[pos - 1])) &&
            part.startsWith(QStringView(line).sliced(pos))) {
            line.truncate(pos);
            break;
        }
    }
    line += part;
}

QString composeName(const Contact& contact)
{
    const QString family = SingleLine(contact.familyName);
    const QString given = SingleLine(contact.givenName);
    if (!family.isEmpty() && !given.isEmpty()) {
        return family + kIdeographicSpace + given;
    }
    if (!family.isEmpty() || !given.isEmpty()) {
        return family + given;
    }
    return SingleLine(contact.fullName);
}

struct AddressLines {
    QString first;
    QString second;
};

AddressLines composeAddress(const Contact& contact, QString& postalCode)
{
    const QStringList streetLines = SplitLines(contact.street);
    AddressLines lines;
    appendAddressPart(lines.first, SingleLine(contact.prefecture));
    appendAddressPart(lines.first, SingleLine(contact.city));
    appendAddressPart(lines.first, streetLines.value(0));
    QStringList rest = streetLines.mid(1);
    for (const QString& part : contact.furtherParts) {
        rest << SplitLines(part);
    }
    if (lines.first.isEmpty() && rest.isEmpty()) {
        const FreeTextAddress free = ParseFreeTextAddress(contact.wholeAddress, contact.country);
        lines.first = free.firstLine;
        rest = free.otherLines;
        if (SingleLine(postalCode).isEmpty()) {
            postalCode = free.postalCode;
        }
    }
    if (lines.first.isEmpty() && !rest.isEmpty()) {
        lines.first = rest.takeFirst();
    }
    if (lines.first.isEmpty()) {
        return lines;  // a company or a country is no address
    }
    for (const QString* part : {&contact.company, &contact.department}) {
        rest << SplitLines(*part);
    }
    const QString country = SingleLine(contact.country);
    if (!country.isEmpty() && !IsCountryLine(country)) {
        rest << country;
    }
    lines.second = rest.join(kIdeographicSpace);
    return lines;
}

struct JointName {
    QString name;
    QString honorific;
};

// Every joint addressee, in order: a field may list several.
std::vector<JointName> jointNamesOf(const Contact& contact)
{
    std::vector<JointName> names;
    for (qsizetype i = 0; i < contact.jointNames.size(); ++i) {
        // "花子、翔太" with "様、くん" pairs them; one honorific serves them all.
        const QStringList honorifics = listedIn(contact.jointHonorifics.value(i));
        const QStringList listed = listedIn(contact.jointNames[i]);
        for (qsizetype j = 0; j < listed.size(); ++j) {
            names.push_back({listed[j], honorifics.isEmpty()
                                            ? QString()
                                            : honorifics.value(j, honorifics.back())});
        }
    }
    return names;
}

// The family name of the card: the first word of a single name field stands
// for it.
QString cardFamilyName(const Contact& contact)
{
    QString family = SingleLine(contact.familyName);
    if (!family.isEmpty()) {
        return family;
    }
    return SingleLine(contact.fullName)
        .section(QRegularExpression(QStringLiteral("[ \u3000]")), 0, 0);
}

// A joint name as the card writes it: the given name alone when the family
// name is the card's own ("山田 花子" on 山田 太郎's card gives 花子). Without a
// space between them, only a family name of two characters or more is taken
// off, so that 林 does not cut 林田 short.
QString jointNameOnCard(const QString& joint, const QString& family)
{
    if (family.isEmpty() || !joint.startsWith(family) || joint.size() <= family.size()) {
        return joint;
    }
    const QChar next = joint[family.size()];
    const bool spaced = next == u' ' || next == kIdeographicSpace;
    if (!spaced && family.size() < 2) {
        return joint;
    }
    const QString given = joint.mid(family.size()).trimmed();
    const QString rest = given.startsWith(kIdeographicSpace) ? given.mid(1).trimmed() : given;
    return rest.isEmpty() ? joint : rest;
}

class CellEncoder {
public:
    std::string operator()(const QString& text)
    {
        std::string bytes;
        replaced_ = cp932::appendReplacing(text, kMissingMark, bytes) || replaced_;
        return bytes;
    }
    bool replaced() const { return replaced_; }

private:
    bool replaced_ = false;
};

QString leftOutReason(bool hasName, bool hasAddress)
{
    if (!hasName && !hasAddress) {
        return uiText(import_texts::kNoNameNorAddress);
    }
    return QString::fromUtf8(hasName ? import_texts::kNoAddress : import_texts::kNoName);
}

}  // namespace

QString SingleLine(QStringView text)
{
    QString line;
    line.reserve(text.size());
    bool pendingSpace = false;
    forEachCodePoint(text, [&](char32_t c) {
        if (isLineBreak(c) || QChar::category(c) == QChar::Other_Control) {
            pendingSpace = true;
        } else if (QChar::category(c) == QChar::Separator_Space && c != 0x3000) {
            // A no-break or typographic space pasted from elsewhere.
            line += u' ';
        } else if (!isInvisible(c)) {
            if (pendingSpace) {
                line += u' ';
                pendingSpace = false;
            }
            if (QChar::requiresSurrogates(c)) {
                line += QChar(QChar::highSurrogate(c));
                line += QChar(QChar::lowSurrogate(c));
            } else {
                line += QChar(static_cast<char16_t>(c));
            }
        }
    });
    return line.trimmed();
}

QStringList SplitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isLineBreak(text[i].unicode())) {
            const QString line = SingleLine(text.sliced(start, i - start));
            if (!line.isEmpty()) {
                lines << line;
            }
            start = i + 1;
        }
    }
    return lines;
}

QString NormalizePostalCode(const QString& code)
{
    QString digits;
    for (QChar c : code) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') {
            digits += c;
        } else if (u >= u'\uFF10' && u <= u'\uFF19') {
            digits += QChar(u'0' + (u - u'\uFF10'));
        } else if (u == u'\u3012' || u == u'\u3036' || c.isSpace() || u == u'-' || u == u'\uFF0D' ||
                   (u >= u'\u2010' && u <= u'\u2015') || u == u'\u2212' || u == u'\u30FC' ||
                   u == u'\uFF70') {
            // 〒, spaces, and the hyphens and long marks people write between the parts
        } else {
            return SingleLine(code);
        }
    }
    return digits.size() == 7 ? digits : SingleLine(code);
}

ContactCard MakeCard(const Contact& contact)
{
    ContactCard card;
    card.name = composeName(contact);
    QString postalCode = contact.postalCode;
    const AddressLines address = composeAddress(contact, postalCode);
    if (card.name.isEmpty() || address.first.isEmpty()) {
        card.leftOutReason = leftOutReason(!card.name.isEmpty(), !address.first.isEmpty());
        return card;
    }

    auto orDefault = [](const QString& text) {
        return text.isEmpty() ? uiText(import_texts::kDefaultHonorific) : text;
    };
    std::vector<JointName> joint = jointNamesOf(contact);
    if (joint.empty() && !SingleLine(contact.spouse).isEmpty()) {
        joint.push_back({SingleLine(contact.spouse), QString()});
    }
    const QString family = cardFamilyName(contact);
    for (JointName& j : joint) {
        j.name = jointNameOnCard(j.name, family);
    }
    // The card holds one joint name; the others are kept in the memo.
    QString memo = SingleLine(contact.memo);
    if (joint.size() > 1) {
        QStringList further;
        for (std::size_t i = 1; i < joint.size(); ++i) {
            further << uiText(import_texts::kJointNameEntry)
                           .arg(joint[i].name, orDefault(joint[i].honorific));
        }
        const QString listed = uiText(import_texts::kJointNamesInMemo)
                                   .arg(further.join(uiText(import_texts::kJointNameSeparator)));
        memo = memo.isEmpty() ? listed : listed + u' ' + memo;
        card.jointNamesInMemo = true;
    }
    const QString jointName = joint.empty() ? QString() : joint.front().name;
    CellEncoder encode;
    const std::string name = encode(withoutJointSeparator(card.name));
    const JointCells names = JoinJoint(
        name, encode(withoutJointSeparator(orDefault(SingleLine(contact.honorific)))),
        encode(withoutJointSeparator(jointName)),
        jointName.isEmpty() ? std::string()
                            : encode(withoutJointSeparator(orDefault(joint.front().honorific))));
    card.cells[ColName] = names.names;
    card.cells[ColHonorific] = names.honorifics;
    card.cells[ColPostalCode] = encode(NormalizePostalCode(postalCode));
    card.cells[ColAddress1] = encode(address.first);
    card.cells[ColAddress2] = encode(address.second);
    card.cells[ColMemo] = encode(memo);
    card.taken = true;
    card.replaced = encode.replaced();
    card.name = cp932::toUnicode(name);
    return card;
}
