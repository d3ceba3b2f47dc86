"""read_workbook.py xls PATH | ole PATH STREAM: what olefile and xlrd see of a workbook, or of one
stream of a compound file, as JSON. Exits 3, printing {"missing": ...}, without those modules."""
import hashlib
import io
import json
import struct
import sys

try:
    import olefile
    import xlrd
    import xlrd.compdoc
except ImportError as error:
    print(json.dumps({"missing": str(error)}))
    sys.exit(3)


def ole_view(path, stream):
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    data = ole.openstream(stream).read()
    view = {
        "streams": ["/".join(entry) for entry in ole.listdir()],
        "size": ole.get_size(stream),
        "md5": hashlib.md5(data).hexdigest(),
        "issues": [str(issue) for issue in getattr(ole, "parsing_issues", [])],
    }
    ole.close()
    log = io.StringIO()
    with open(path, "rb") as f:
        contents = f.read()
    compdoc = xlrd.compdoc.CompDoc(contents, logfile=log)
    view["compdoc_md5"] = hashlib.md5(bytes(compdoc.get_named_stream(stream))).hexdigest()
    view["compdoc_warnings"] = log.getvalue()
    return view, data


def sst_counts(data):
    pos = 0
    while pos + 4 <= len(data):
        kind, length = struct.unpack_from("<HH", data, pos)
        if kind == 0x00FC:
            total, unique = struct.unpack_from("<II", data, pos + 4)
            return {"total": total, "unique": unique}
        pos += 4 + length
    return None


def xls_view(path):
    result, data = ole_view(path, "Workbook")
    result["sst"] = sst_counts(data)
    log = io.StringIO()
    book = xlrd.open_workbook(path, logfile=log, verbosity=0, on_demand=True, ragged_rows=True)
    sheets = []
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        cells = []
        for row in range(sheet.nrows):
            for column in range(sheet.row_len(row)):
                cell = sheet.cell(row, column)
                if cell.ctype != xlrd.XL_CELL_EMPTY:
                    cells.append([row, column, cell.ctype, cell.value])
        sheets.append({"name": sheet.name, "nrows": sheet.nrows, "ncols": sheet.ncols,
                       "cells": cells})
    result["sheets"] = sheets
    result["shared_strings"] = len(book._sharedstrings)
    book.release_resources()
    result["xlrd_warnings"] = log.getvalue()
    return result


def main():
    if sys.argv[1] == "xls":
        print(json.dumps(xls_view(sys.argv[2])))
    else:
        print(json.dumps(ole_view(sys.argv[2], sys.argv[3])[0]))


if __name__ == "__main__":
    main()
