#include "report/XlsxSheet.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zeb {

namespace {

QString reasonOf(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("не хватило памяти");
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("файл не создаётся");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("не удалось записать временный файл (нет места на диске?)");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("не удалось упаковать файл (нет места на диске?)");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("текст длиннее 32 767 знаков, которые вмещает ячейка таблицы");
    default:
        return QString::fromUtf8(lxw_strerror(error));
    }
}

} // namespace

XlsxSheet::XlsxSheet(const QString& file, const QString& shownName, const QString& sheetName)
    : m_shownName(shownName), m_scratch(QFile::encodeName(QFileInfo(file).absolutePath()))
{
    lxw_workbook_options options = {};
    options.tmpdir = m_scratch.data();
    options.constant_memory = LXW_TRUE;
    m_book = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (m_book)
        m_sheet = workbook_add_worksheet(m_book, sheetName.toUtf8().constData());
    if (!m_sheet)
        check(LXW_ERROR_MEMORY_MALLOC_FAILED, 0);
}

XlsxSheet::~XlsxSheet()
{
    // Dropped unwritten: nothing goes to the file.
    if (m_book)
        lxw_workbook_free(m_book);
}

lxw_format* XlsxSheet::addFormat()
{
    lxw_format* format = workbook_add_format(m_book);
    if (!format)
        check(LXW_ERROR_MEMORY_MALLOC_FAILED, 0);
    return format;
}

lxw_format* XlsxSheet::addTextFormat(double size)
{
    lxw_format* format = addFormat();
    format_set_font_name(format, "Arial");
    format_set_font_size(format, size);
    format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
    return format;
}

lxw_format* XlsxSheet::addCellFormat(bool bold, uint32_t fill, const char* numbers)
{
    lxw_format* format = addTextFormat();
    format_set_border(format, LXW_BORDER_THIN);
    format_set_text_wrap(format);
    if (bold)
        format_set_bold(format);
    if (fill) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, fill);
    }
    if (numbers)
        format_set_num_format(format, numbers);
    return format;
}

void XlsxSheet::text(lxw_row_t row, lxw_col_t column, const QString& text, lxw_format* format)
{
    if (text.isEmpty()) {
        blank(row, column, format);
        return;
    }
    check(worksheet_write_string(m_sheet, row, column, text.toUtf8().constData(), format), row);
}

void XlsxSheet::number(lxw_row_t row, lxw_col_t column, double number, lxw_format* format)
{
    check(worksheet_write_number(m_sheet, row, column, number, format), row);
}

void XlsxSheet::blank(lxw_row_t row, lxw_col_t column, lxw_format* format)
{
    // A blank cell without a format is no cell at all, which the library reports.
    if (format)
        check(worksheet_write_blank(m_sheet, row, column, format), row);
}

void XlsxSheet::formula(lxw_row_t row, lxw_col_t column, const char* formula, double value,
                        lxw_format* format)
{
    check(worksheet_write_formula_num(m_sheet, row, column, formula, format, value), row);
}

void XlsxSheet::textFormula(lxw_row_t row, lxw_col_t column, const char* formula, const QString& value,
                            lxw_format* format)
{
    check(worksheet_write_formula_str(m_sheet, row, column, formula, format, value.toUtf8().constData()),
          row);
}

void XlsxSheet::merge(lxw_row_t firstRow, lxw_col_t firstColumn, lxw_row_t lastRow, lxw_col_t lastColumn,
                      const QString& text, lxw_format* format)
{
    check(worksheet_merge_range(m_sheet, firstRow, firstColumn, lastRow, lastColumn,
                                text.toUtf8().constData(), format),
          firstRow);
}

void XlsxSheet::setRowHeight(lxw_row_t row, double points)
{
    check(worksheet_set_row(m_sheet, row, points, nullptr), row);
}

void XlsxSheet::setColumnWidth(lxw_col_t column, double characters, lxw_format* format)
{
    check(worksheet_set_column(m_sheet, column, column, characters, format), 0);
}

void XlsxSheet::formatAlways(lxw_row_t firstRow, lxw_col_t firstColumn, lxw_row_t lastRow,
                             lxw_col_t lastColumn, lxw_format* format)
{
    lxw_conditional_format always = {};
    always.type = LXW_CONDITIONAL_TYPE_FORMULA;
    char formula[] = "=TRUE";
    always.value_string = formula;
    always.format = format;
    check(worksheet_conditional_format_range(m_sheet, firstRow, firstColumn, lastRow, lastColumn, &always),
          firstRow);
}

void XlsxSheet::setFooter(const QString& footer)
{
    check(worksheet_set_footer(m_sheet, footer.toUtf8().constData()), 0);
}

void XlsxSheet::repeatRows(lxw_row_t first, lxw_row_t last)
{
    check(worksheet_repeat_rows(m_sheet, first, last), first);
}

void XlsxSheet::close()
{
    const lxw_error error = workbook_close(m_book);
    // Closing frees the book, whatever it answers.
    m_book = nullptr;
    check(error, 0);
}

void XlsxSheet::check(lxw_error error, lxw_row_t row) const
{
    if (error == LXW_NO_ERROR)
        return;
    QString reason = reasonOf(error);
    if (row > 0)
        reason = QStringLiteral("строка %1 таблицы: %2").arg(row + 1).arg(reason);
    throw IoError(QStringLiteral("Не удалось записать файл «%1»: %2")
                      .arg(QDir::toNativeSeparators(m_shownName), reason));
}

} // namespace zeb
