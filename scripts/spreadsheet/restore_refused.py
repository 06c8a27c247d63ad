#!/usr/bin/python3
"""Puts the exported text back into every cell an import refused, so that importing the result
shows whether the cells it did not refuse were all recognised as unchanged; then, if asked, edits
one cell as a user would. A CSV is read as import reads it (UTF-16 with a byte order mark, UTF-8,
else Windows-1252; comma, semicolon or tab) and written back in the same encoding and separator,
an average restored into a file of decimal commas with one. A workbook keeps what a spreadsheet
showed for its formulas that were not refused.
Usage: restore_refused.py EXPORTED.csv SAVED IMPORT_ERRORS OUT [TEAM SLOT COLUMN VALUE]"""
import codecs
import csv
import io
import re
import sys
import warnings

# openpyxl warns of every workbook without a default style, as Gnumeric saves them.
warnings.filterwarnings("ignore", module="openpyxl")

# Windows-1252 with its five unassigned bytes read as the code points of the same number.
codecs.register_error("same_code_point",
                      lambda error: (error.object[error.start:error.end].decode("latin-1")
                                     if isinstance(error, UnicodeDecodeError) else
                                     error.object[error.start:error.end].encode("latin-1"),
                                     error.end))


def saved_text(data):
    if data.startswith((codecs.BOM_UTF16_LE, codecs.BOM_UTF16_BE)):
        return data.decode("utf-16"), "utf-16"
    try:
        return data.decode("utf-8-sig"), "utf-8-sig" if data.startswith(codecs.BOM_UTF8) else "utf-8"
    except UnicodeDecodeError:
        return data.decode("cp1252", errors="same_code_point"), "cp1252"


def refused_cells(path, header):
    """The refused cells by row and column; a column the header lacks (the team column of a
    header read with the wrong character set) is put back with the header."""
    for line in open(path, encoding="utf-8", errors="replace"):
        match = re.match(r"row (\d+), column ([^,]+), ", line)
        if match and match.group(2) in header:
            yield int(match.group(1)), header.index(match.group(2))


def restore_csv(exported, saved_path, errors, edit, out_path):
    text, encoding = saved_text(open(saved_path, "rb").read())
    first = text.split("\n", 1)[0]
    separator = max(",;\t", key=first.count)
    ending = "\r\n" if "\r\n" in text else "\n"
    # As import reads it, a lone CR in a file of LF lines is part of its cell.
    lone = "\ue000"
    if not re.match(r"[^\r\n]*\r(?!\n)", text):
        text = re.sub(r"\r(?!\n)", lone, text)
    saved = [[cell.replace(lone, "\r") for cell in row]
             for row in csv.reader(io.StringIO(text, newline=""), delimiter=separator)]
    header = saved[0]
    averages = [i for i, name in enumerate(header) if name.endswith("AverageODI")]
    # Import reads the averages of a semicolon file with the decimal mark most of them have.
    marks = [mark for row in saved[1:] for i in averages if i < len(row)
             for mark in [re.fullmatch(r"-?\d+([.,])\d+(e[-+]?\d+)?", row[i], re.I)] if mark]
    commas = sum(mark.group(1) == "," for mark in marks)
    comma = separator == ";" and commas > 0 and commas >= len(marks) - commas
    # A spreadsheet keeps the columns in their order, so a misread header is put back too.
    for row, index in refused_cells(errors, header):
        value = exported[row - 1][index]
        if comma and index in averages:
            value = value.replace(".", ",")
        saved[row - 1] += [""] * (index + 1 - len(saved[row - 1]))
        saved[row - 1][index] = value
    if edit:
        team, slot, column, value = edit
        row = next(r for r in saved[1:] if r[:2] == [team, slot])
        row[header.index(column)] = value
    out = io.StringIO(newline="")
    csv.writer(out, delimiter=separator, lineterminator=ending, quoting=csv.QUOTE_ALL).writerows(saved)
    data = out.getvalue().encode(encoding, errors="same_code_point")
    open(out_path, "wb").write(data)


def restore_xlsx(exported, saved_path, errors, edit, out_path):
    import openpyxl
    book = openpyxl.load_workbook(saved_path)
    shown = openpyxl.load_workbook(saved_path, data_only=True).worksheets[0]
    sheet = book.worksheets[0]
    header = [cell.value for cell in sheet[1]]
    for line in sheet.iter_rows():
        for cell in line:
            if cell.data_type == "f":
                cell.value = shown[cell.coordinate].value
    for row, index in refused_cells(errors, header):
        sheet.cell(row=row, column=index + 1).value = exported[row - 1][index]
    if edit:
        team, slot, column, value = edit
        line = next(r for r in sheet.iter_rows(min_row=2)
                    if [str(int(float(c.value or 0))) for c in r[:2]] == [team, slot])
        line[header.index(column)].value = int(value) if value.isdigit() else value
    book.save(out_path)


def main():
    exported_path, saved_path, errors_path, out_path = sys.argv[1:5]
    edit = sys.argv[5:9] or None
    exported = list(csv.reader(open(exported_path, encoding="utf-8-sig", newline="")))
    if saved_path.endswith(".xlsx"):
        restore_xlsx(exported, saved_path, errors_path, edit, out_path)
    else:
        restore_csv(exported, saved_path, errors_path, edit, out_path)


main()
