// .xlsx workbooks: a zip archive of XML parts. The workbook part lists the sheets by name and
// relationship; texts may sit in the shared-strings part or inline in the cell.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QXmlStreamReader>
#include <zip.h>

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/system/Workbook_p.h"

namespace {

struct TZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct TZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// A sheet's cells by position, small enough for sheets of a million rows; texts live in the
// reader's text pool.
struct TStoredCell {
    std::int64_t Key = 0;
    double Number = 0;
    std::uint32_t Text = 0;
    TWorkbookCell::TKind Kind = TWorkbookCell::TKind::Empty;
};
using TCells = std::vector<TStoredCell>;

// What one part of a workbook may unpack to: a sheet of a million rows of a few numbers fits; an
// archive that claims or unpacks to more is refused rather than read into memory.
constexpr qint64 MaxPartBytes = qint64{128} << 20;

// An archive entry read as it unpacks (whatever size the archive states), so a large sheet never
// sits in memory as one text; it stops with an error beyond MaxPartBytes.
class TZipEntryDevice : public QIODevice {
public:
    explicit TZipEntryDevice(zip_file_t* file) : file_(file) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    bool TooLarge() const { return tooLarge_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (total_ >= MaxPartBytes) {
            tooLarge_ = true;
            return -1;
        }
        const qint64 wanted = std::min(maxSize, MaxPartBytes + 1 - total_);
        const zip_int64_t read = zip_fread(file_.get(), data, static_cast<zip_uint64_t>(wanted));
        if (read < 0) return -1;
        total_ += read;
        if (total_ > MaxPartBytes) {
            tooLarge_ = true;
            return -1;
        }
        return read;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<zip_file_t, TZipFileCloser> file_;
    qint64 total_ = 0;
    bool tooLarge_ = false;
};

// How a part is named in the errors.
String partWhat(const QString& part)
{
    if (part.contains(u"sharedStrings", Qt::CaseInsensitive)) return "shared strings are";
    if (part.contains(u"sheet", Qt::CaseInsensitive) && !part.contains(u"workbook", Qt::CaseInsensitive))
        return "sheet is";
    return "part " + part.toStdString() + " is";
}

std::int64_t CellKey(int row, int column) { return static_cast<std::int64_t>(row) * 65536 + column; }

// "AB12" into column 28 and row 12; false for anything else.
bool ParseCellName(const QString& name, int& row, int& column)
{
    int i = 0;
    column = 0;
    while (i < name.size() && name[i] >= 'A' && name[i] <= 'Z' && column <= 16384) column = column * 26 + (name[i++].unicode() - 'A' + 1);
    if (column == 0 || i == name.size()) return false;
    bool ok = false;
    row = name.mid(i).toInt(&ok);
    return ok && row > 0;
}

// Folder of a part name, with its trailing '/'.
QString PartFolder(const QString& part)
{
    const qsizetype slash = part.lastIndexOf('/');
    return slash < 0 ? QString() : part.left(slash + 1);
}

// A relationship target relative to the folder of the part that names it ("/" starts at the root).
QString ResolveTarget(const QString& folder, const QString& target)
{
    if (target.startsWith('/')) return target.mid(1);
    QString base = folder;
    QString rest = target;
    while (rest.startsWith("../")) {
        rest = rest.mid(3);
        base = PartFolder(base.left(base.size() - 1));
    }
    return base + rest;
}

// A text element's characters with the format's escapes of characters XML can not hold read
// back: "_x000D_" is a carriage return, "_x005F_" an underscore.
QString ReadText(QXmlStreamReader& xml)
{
    const QString text = xml.readElementText();
    if (!text.contains(u"_x")) return text;
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            bool ok = false;
            const uint code = text.mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(static_cast<char16_t>(code));
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The text of a rich or plain string (<si>, <is>): its own <t> and those of its runs, without
// the phonetic hints.
QString ReadStringItem(QXmlStreamReader& xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"t")
            text += ReadText(xml);
        else if (xml.name() == u"r") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"t")
                    text += ReadText(xml);
                else
                    xml.skipCurrentElement();
            }
        } else
            xml.skipCurrentElement();
    }
    return text;
}

class TXlsxReader : public TWorkbookReader {
public:
    // The file of that name, or the bytes given (the name then only for the messages).
    TXlsxReader(const String& fileName, std::optional<std::string> bytes) : fileName_(fileName), bytes_(std::move(bytes))
    {
        int error = 0;
        if (bytes_) {
            zip_error_t zipError;
            zip_error_init(&zipError);
            zip_source_t* source = zip_source_buffer_create(bytes_->data(), bytes_->size(), 0, &zipError);
            zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &zipError) : nullptr;
            if (!archive && source) zip_source_free(source);
            zip_error_fini(&zipError);
            archive_.reset(archive);
        } else {
            archive_.reset(zip_open(fileName.c_str(), ZIP_RDONLY, &error));
        }
        if (!archive_) Fail("not a zip archive");
        const QString workbook = OfficeDocumentPart();
        const QString folder = PartFolder(workbook);
        relations_ = RelationsById(folder + "_rels/" + workbook.mid(folder.size()) + ".rels");
        ReadSheetList(workbook, folder);
        for (const auto& [id, relation] : relations_)
            if (relation.first.endsWith(u"/sharedStrings")) ReadSharedStrings(ResolveTarget(folder, relation.second));
        sheets_.resize(sheetParts_.size());
    }

    TWorkbookCell Cell(int sheet, int row, int column) override
    {
        if (sheet < 0 || sheet >= static_cast<int>(sheets_.size())) return {};
        if (!sheets_[sheet]) sheets_[sheet] = ReadSheet(sheetParts_[sheet]);
        const TCells& cells = *sheets_[sheet];
        const std::int64_t key = CellKey(row, column);
        // The last of the cells written for one position counts.
        auto found = std::upper_bound(cells.begin(), cells.end(), key,
                                      [](std::int64_t k, const TStoredCell& cell) { return k < cell.Key; });
        if (found == cells.begin() || (--found)->Key != key) return {};
        TWorkbookCell cell;
        cell.Kind = found->Kind;
        cell.Number = found->Number;
        if (cell.Kind == TWorkbookCell::TKind::Text || cell.Kind == TWorkbookCell::TKind::Error) cell.Text = texts_[found->Text];
        return cell;
    }

private:
    [[noreturn]] void Fail(const String& why) const
    {
        throw EWorkbookError("Cannot read workbook \"" + fileName_ + "\": " + why);
    }

    // Raises for a missing entry.
    zip_file_t* OpenEntry(const QString& name) const
    {
        const zip_int64_t index = zip_name_locate(archive_.get(), name.toUtf8().constData(), ZIP_FL_NOCASE);
        zip_file_t* file = index < 0 ? nullptr : zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
        if (!file) Fail(name.toStdString() + " is missing");
        return file;
    }

    // The part as it unpacks, not at the size the archive states for it.
    std::optional<QByteArray> Entry(const QString& name) const
    {
        const zip_int64_t index = zip_name_locate(archive_.get(), name.toUtf8().constData(), ZIP_FL_NOCASE);
        if (index < 0) return std::nullopt;
        zip_file_t* file = zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
        if (!file) Fail("cannot unpack " + name.toStdString());
        TZipEntryDevice device(file);
        QByteArray bytes;
        char chunk[65536];
        for (;;) {
            const qint64 read = device.read(chunk, sizeof chunk);
            if (read == 0) break;
            if (read < 0) {
                if (device.TooLarge()) FailTooLarge(name);
                Fail("cannot unpack " + name.toStdString());
            }
            bytes.append(chunk, read);
        }
        return bytes;
    }

    [[noreturn]] void FailTooLarge(const QString& part) const
    {
        Fail("the workbook's " + partWhat(part) + " larger than " + std::to_string(MaxPartBytes >> 20) + " MB");
    }

    QByteArray RequiredEntry(const QString& name) const
    {
        auto bytes = Entry(name);
        if (!bytes) Fail(name.toStdString() + " is missing");
        return *bytes;
    }

    void CheckXml(const QXmlStreamReader& xml, const QString& part) const
    {
        if (xml.hasError()) Fail(part.toStdString() + ": " + xml.errorString().toStdString());
    }

    // Relationships of a part: id to type and target.
    std::unordered_map<QString, std::pair<QString, QString>> RelationsById(const QString& relsPart) const
    {
        std::unordered_map<QString, std::pair<QString, QString>> result;
        const auto bytes = Entry(relsPart);
        if (!bytes) return result;
        QXmlStreamReader xml(*bytes);
        if (xml.readNextStartElement())
            while (xml.readNextStartElement()) {
                if (xml.name() == u"Relationship") {
                    const auto attrs = xml.attributes();
                    result[attrs.value("Id").toString()] = {attrs.value("Type").toString(), attrs.value("Target").toString()};
                }
                xml.skipCurrentElement();
            }
        CheckXml(xml, relsPart);
        return result;
    }

    QString OfficeDocumentPart() const
    {
        for (const auto& [id, relation] : RelationsById("_rels/.rels"))
            if (relation.first.endsWith(u"/officeDocument")) return ResolveTarget(QString(), relation.second);
        return "xl/workbook.xml";
    }

    void ReadSheetList(const QString& workbook, const QString& folder)
    {
        QXmlStreamReader xml(RequiredEntry(workbook));
        if (xml.readNextStartElement())
            while (xml.readNextStartElement()) {
                if (xml.name() != u"sheets") {
                    xml.skipCurrentElement();
                    continue;
                }
                while (xml.readNextStartElement()) {
                    if (xml.name() == u"sheet") {
                        const auto attrs = xml.attributes();
                        QString id;
                        for (const auto& attr : attrs)
                            if (attr.name() == u"id") id = attr.value().toString();  // r:id
                        const auto relation = relations_.find(id);
                        sheetNames_.push_back(attrs.value("name").toString().toStdString());
                        sheetParts_.push_back(relation == relations_.end() ? QString()
                                                                           : ResolveTarget(folder, relation->second.second));
                    }
                    xml.skipCurrentElement();
                }
            }
        CheckXml(xml, workbook);
    }

    void ReadSharedStrings(const QString& part)
    {
        TZipEntryDevice device(OpenEntry(part));
        QXmlStreamReader xml(&device);
        if (xml.readNextStartElement())
            while (xml.readNextStartElement()) {
                if (xml.name() == u"si")
                    texts_.push_back(ReadStringItem(xml).toStdString());
                else
                    xml.skipCurrentElement();
            }
        if (device.TooLarge()) FailTooLarge(part);
        CheckXml(xml, part);
        sharedCount_ = static_cast<int>(texts_.size());
    }

    std::uint32_t AddText(const QString& text)
    {
        texts_.push_back(text.toStdString());
        return static_cast<std::uint32_t>(texts_.size() - 1);
    }

    TStoredCell MakeCell(const QString& type, const QString& value, bool haveValue, const QString& inlineText)
    {
        TStoredCell cell;
        if (type == u"inlineStr") {
            cell.Kind = TWorkbookCell::TKind::Text;
            cell.Text = AddText(inlineText);
        } else if (!haveValue) {
            return cell;
        } else if (type == u"s") {
            bool ok = false;
            const int index = value.trimmed().toInt(&ok);
            if (!ok || index < 0 || index >= sharedCount_) Fail("a text refers to no shared string");
            cell.Kind = TWorkbookCell::TKind::Text;
            cell.Text = static_cast<std::uint32_t>(index);
        } else if (type == u"str" || type == u"d") {
            cell.Kind = TWorkbookCell::TKind::Text;
            cell.Text = AddText(value);
        } else if (type == u"b") {
            cell.Kind = TWorkbookCell::TKind::Boolean;
            cell.Number = value.trimmed() == u"1" ? 1 : 0;
        } else if (type == u"e") {
            cell.Kind = TWorkbookCell::TKind::Error;
            cell.Text = AddText(value);
        } else {
            bool ok = false;
            cell.Number = value.trimmed().toDouble(&ok);
            if (!ok) Fail("the number \"" + value.toStdString() + "\" cannot be read");
            cell.Kind = TWorkbookCell::TKind::Number;
        }
        return cell;
    }

    TCells ReadSheet(const QString& part)
    {
        TCells cells;
        if (part.isEmpty()) return cells;
        TZipEntryDevice device(OpenEntry(part));
        QXmlStreamReader xml(&device);
        if (xml.readNextStartElement())
            while (xml.readNextStartElement()) {
                if (xml.name() != u"sheetData") {
                    xml.skipCurrentElement();
                    continue;
                }
                int row = 0;
                while (xml.readNextStartElement()) {
                    if (xml.name() != u"row") {
                        xml.skipCurrentElement();
                        continue;
                    }
                    bool ok = false;
                    const int number = xml.attributes().value("r").toInt(&ok);
                    row = ok ? number : row + 1;
                    int column = 0;
                    while (xml.readNextStartElement()) {
                        if (xml.name() != u"c") {
                            xml.skipCurrentElement();
                            continue;
                        }
                        const auto attrs = xml.attributes();
                        int cellRow = row;
                        if (!attrs.hasAttribute("r"))
                            ++column;
                        else if (!ParseCellName(attrs.value("r").toString(), cellRow, column))
                            Fail("the cell name \"" + attrs.value("r").toString().toStdString() + "\" is not valid");
                        const QString type = attrs.value("t").toString();
                        QString value, inlineText;
                        bool haveValue = false;
                        while (xml.readNextStartElement()) {
                            if (xml.name() == u"v") {
                                value = xml.readElementText();
                                haveValue = true;
                            } else if (xml.name() == u"is")
                                inlineText = ReadStringItem(xml);
                            else
                                xml.skipCurrentElement();
                        }
                        TStoredCell cell = MakeCell(type, value, haveValue, inlineText);
                        cell.Key = CellKey(cellRow, column);
                        if (cell.Kind != TWorkbookCell::TKind::Empty) cells.push_back(cell);
                    }
                }
            }
        if (device.TooLarge()) FailTooLarge(part);
        CheckXml(xml, part);
        // Writers put rows and cells in order; the others are sorted here.
        std::stable_sort(cells.begin(), cells.end(), [](const TStoredCell& a, const TStoredCell& b) { return a.Key < b.Key; });
        return cells;
    }

    String fileName_;
    std::optional<std::string> bytes_;  // the archive's, when read from memory
    std::unique_ptr<zip_t, TZipCloser> archive_;
    std::unordered_map<QString, std::pair<QString, QString>> relations_;  // of the workbook part
    std::vector<QString> sheetParts_;
    // The shared strings first, then the sheets' own texts.
    std::vector<String> texts_;
    int sharedCount_ = 0;
    std::vector<std::optional<TCells>> sheets_;
};

}  // namespace

std::unique_ptr<TWorkbookReader> OpenXlsxWorkbook(const String& fileName)
{
    return std::make_unique<TXlsxReader>(fileName, std::nullopt);
}

std::unique_ptr<TWorkbookReader> ReadXlsxWorkbook(const String& name, const std::string& bytes)
{
    return std::make_unique<TXlsxReader>(name, bytes);
}
