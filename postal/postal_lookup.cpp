// SPDX-License-Identifier: MIT
#include "postal/postal_lookup.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <utility>

#include "platform/app_error.h"
#include "platform/dialogs.h"
#include "platform/file_stamp.h"
#include "postal/postal_texts.h"
#include "postal/postcode_search.h"
#include "text/program_text.h"

namespace {

constexpr std::size_t kPostalCodeBytes = 7;

}  // namespace

PostalLookup::PostalLookup(std::string dictionaryPath, Dialogs& dialogs, ResultChooser& chooser)
    : dictionaryPath_(std::move(dictionaryPath)), dialogs_(dialogs), chooser_(chooser)
{
}

void PostalLookup::searchByPostalCode(const std::string& key)
{
    if (key.size() < kMinPostalCodeKeyBytes) {
        dialogs_.notify(uiText(postal_texts::kPostalCodeKeyTooShort));
        return;
    }
    search(key, kPostalCodePositionLimit);
}

void PostalLookup::searchByAddress(const std::string& key)
{
    if (key.size() < kMinAddressKeyBytes) {
        dialogs_.notify(uiText(postal_texts::kAddressKeyTooShort));
        return;
    }
    search(key, kAddressPositionLimit);
}

void PostalLookup::search(std::string_view key, int positionLimit)
{
    // The file the program cannot do without is named, not just "a file".
    if (!StampOfFile(dictionaryPath_) && errno == ENOENT) {
        throw AppError(uiText(postal_texts::kDictionaryMissing));
    }
    const std::vector<std::string> lines = SearchPostcode(dictionaryPath_, key, positionLimit);
    if (lines.empty()) {
        dialogs_.notify(uiText(postal_texts::kNoMatch));
        return;
    }
    chooser_.choose(lines);
}

std::string PostcodeDictionaryPath(const QString& directory)
{
    return QFile::encodeName(QDir(directory).filePath(QStringLiteral("postcode.dat")))
        .toStdString();
}

std::string PostalCodeOfLine(std::string_view line)
{
    return std::string(line.substr(0, kPostalCodeBytes));
}

std::string AddressOfLine(std::string_view line)
{
    const std::size_t comma = line.find(',');
    return std::string(comma == std::string_view::npos ? line : line.substr(comma + 1));
}
