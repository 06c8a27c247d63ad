#!/usr/bin/python3
"""Edits one cell of an xlsx workbook's first sheet as a user would: the cell in the given row
under the given header takes the given text. Usage: edit_cell.py FILE ROW HEADER TEXT"""
import sys

import openpyxl

path, row, header, text = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
workbook = openpyxl.load_workbook(path)
sheet = workbook.worksheets[0]
column = [cell.value for cell in sheet[1]].index(header) + 1
sheet.cell(row=row, column=column).value = text
workbook.save(path)
