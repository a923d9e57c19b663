// SPDX-License-Identifier: MIT
#include "import/csv_records.h"

namespace {

class CsvReader {
public:
    CsvReader(QStringView text, QChar delimiter) : text_(text), delimiter_(delimiter) {}

    std::vector<CsvRecord> readAll()
    {
        std::vector<CsvRecord> records;
        while (pos_ < text_.size()) {
            CsvRecord& record = records.emplace_back();
            record.line = line_;
            bool more = true;
            while (more) {
                record.fields.push_back(readField());
                more = pos_ < text_.size() && text_[pos_] == delimiter_;
                if (more) {
                    ++pos_;
                }
            }
            skipLineEnd();
        }
        return records;
    }

private:
    bool atLineEnd() const
    {
        return pos_ >= text_.size() || text_[pos_] == u'\n' || text_[pos_] == u'\r';
    }

    void skipLineEnd()
    {
        if (pos_ < text_.size() && text_[pos_] == u'\r') {
            ++pos_;
        }
        if (pos_ < text_.size() && text_[pos_] == u'\n') {
            ++pos_;
        }
        ++line_;
    }

    // Up to the next delimiter or line end.
    void appendBare(QString& field)
    {
        const qsizetype start = pos_;
        while (!atLineEnd() && text_[pos_] != delimiter_) {
            ++pos_;
        }
        field += text_.sliced(start, pos_ - start);
    }

    QString readField()
    {
        QString field;
        if (pos_ < text_.size() && text_[pos_] == u'"') {
            ++pos_;
            while (pos_ < text_.size()) {
                const QChar c = text_[pos_++];
                if (c == u'"') {
                    if (pos_ < text_.size() && text_[pos_] == u'"') {
                        field += c;
                        ++pos_;
                        continue;
                    }
                    break;
                }
                // A line end inside quotes belongs to the field.
                if (c == u'\n' || (c == u'\r' && !(pos_ < text_.size() && text_[pos_] == u'\n'))) {
                    ++line_;
                }
                field += c;
            }
        }
        appendBare(field);
        return field;
    }

    QStringView text_;
    QChar delimiter_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

}  // namespace

std::vector<CsvRecord> ReadCsvRecords(QStringView text, QChar delimiter)
{
    return CsvReader(text, delimiter).readAll();
}

QChar SniffDelimiter(QStringView text)
{
    qsizetype end = text.indexOf(u'\n');
    if (end < 0) {
        end = text.size();
    }
    const QStringView firstLine = text.first(end);
    const qsizetype commas = firstLine.count(u',');
    const qsizetype tabs = firstLine.count(u'\t');
    const qsizetype semicolons = firstLine.count(u';');
    if (tabs > commas && tabs >= semicolons) {
        return u'\t';
    }
    return semicolons > commas ? QChar(u';') : QChar(u',');
}

bool IsBlankRecord(const CsvRecord& record)
{
    for (const QString& field : record.fields) {
        if (!field.trimmed().isEmpty()) {
            return false;
        }
    }
    return true;
}
