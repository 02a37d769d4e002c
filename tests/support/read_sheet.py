#!/usr/bin/env python3
"""Prints the first sheet of an .xlsx as JSON, read by openpyxl rather than by its writer.

{"cells": {"A1": {"value": ..., "type": "s" or "n", "align": "center", "bold": true}, ...},
 "merged": ["B3:F3", ...], "rows": n, "columns": n}
"""
import json
import sys

from openpyxl import load_workbook


def main(path):
    sheet = load_workbook(path).worksheets[0]
    cells = {}
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            cells[cell.coordinate] = {
                "value": cell.value,
                "type": cell.data_type,
                "align": cell.alignment.horizontal or "",
                "bold": bool(cell.font.bold),
            }
    print(json.dumps({
        "cells": cells,
        "merged": sorted(str(r) for r in sheet.merged_cells.ranges),
        "rows": sheet.max_row,
        "columns": sheet.max_column,
    }, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
