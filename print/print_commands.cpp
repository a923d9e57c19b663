// SPDX-License-Identifier: MIT
#include "print/print_commands.h"

#include <algorithm>

#include "print/print_texts.h"
#include "text/program_text.h"

namespace {

constexpr int MinFactor = 1;
constexpr int MaxFactor = 10;

void PrintRow(const AddressBook& book, int row, const PrintOptionsReader& options,
              PrinterDevice& device)
{
    const CardPrintOptions current = options();
    PrintCard(book, row, current.withSender, current.settings, current.sender, device);
}

// Gives the device back the output file the user chose, on every path.
class OutputFileScope {
public:
    explicit OutputFileScope(PrinterDevice& device) : device_(device), chosen_(device.outputFile())
    {
    }
    ~OutputFileScope()
    {
        if (!chosen_.isEmpty()) {
            device_.setOutputFile(chosen_);
        }
    }
    OutputFileScope(const OutputFileScope&) = delete;
    OutputFileScope& operator=(const OutputFileScope&) = delete;

    void prepareFor(int row)
    {
        if (!chosen_.isEmpty()) {
            device_.setOutputFile(RowOutputFileName(chosen_, row));
        }
    }

private:
    PrinterDevice& device_;
    QString chosen_;
};

}  // namespace

bool SamplePrint(const PrintListState& list, const AddressBook& book,
                 const PrintOptionsReader& options, PrinterDevice& device, Dialogs& dialogs)
{
    const int index = list.highlighted;
    if (index < 0 || index >= static_cast<int>(list.items.size())) {
        dialogs.notify(uiText(print_texts::SelectSampleCard));
        return false;
    }
    PrintRow(book, list.items[static_cast<std::size_t>(index)].row, options, device);
    return true;
}

int PrintChecked(const PrintListState& list, const AddressBook& book,
                 const PrintOptionsReader& options, PrinterDevice& device, Dialogs& dialogs)
{
    const bool anyTicked = std::any_of(list.items.begin(), list.items.end(),
                                       [](const PrintListMark& item) { return item.ticked; });
    if (!anyTicked) {
        dialogs.notify(uiText(print_texts::TickCardsToPrint));
        return 0;
    }
    OutputFileScope output(device);
    int printed = 0;
    for (const PrintListMark& item : list.items) {
        if (!item.ticked) {
            continue;
        }
        output.prepareFor(item.row);
        PrintRow(book, item.row, options, device);
        ++printed;
    }
    return printed;
}

QString RowOutputFileName(const QString& path, int row)
{
    const QString suffix = QLatin1Char('-') + QString::number(row);
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    // A dot that starts the file name (".pdf") marks a hidden file, not an extension.
    if (dot <= nameStart) {
        return path + suffix;
    }
    return path.left(dot) + suffix + path.mid(dot);
}

int YubinFactorFromText(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        return MinFactor;
    }
    return std::clamp(value, MinFactor, MaxFactor);
}
