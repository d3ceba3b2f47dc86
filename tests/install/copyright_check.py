"""Checks the Debian copyright file and the licence of Plantrek:

    copyright_check.py COPYRIGHT LICENSE [PROGRAM...]

COPYRIGHT must follow the machine-readable format 1.0 (parsed strictly by python3-debian), with
the upstream named, "*" first, a copyright and a licence for every Files paragraph, the text of
every licence named (no stand-alone licence unused or given twice), existing common-licenses
files, and Plantrek's own files under GPL-3+; LICENSE must be the GPL version 3; every shared
library a PROGRAM links must be named in COPYRIGHT. Exits 77 (skipped) without python3-debian.
"""
import os
import re
import subprocess
import sys

FORMAT = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
# Run-time libraries of the tests' sanitizer builds only; the package never links them.
SANITIZER_RUNTIMES = re.compile(r"^lib(asan|ubsan|lsan|tsan)\.so")
failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def check_copyright(path):
    from debian import copyright as dep5

    try:
        with open(path, encoding="utf-8") as stream:
            document = dep5.Copyright(stream, strict=True)
    except (dep5.Error, ValueError, UnicodeDecodeError) as error:
        fail(f"{path} is not in the machine-readable format: {error}")
        return None
    if document.header.format != FORMAT:
        fail(f"Format is {document.header.format!r}, not {FORMAT!r}")
    if not document.header.upstream_name:
        fail("the header has no Upstream-Name")
    files = list(document.all_files_paragraphs())
    if not files or files[0].files != ("*",):
        fail("the first Files paragraph is not *")
    elif files[0].license is not None and files[0].license.synopsis != "GPL-3+":
        fail(f"Plantrek's files are under {files[0].license.synopsis}, not GPL-3+")

    standalone = {}
    for paragraph in document.all_license_paragraphs():
        name = paragraph.license.synopsis
        if name in standalone or not paragraph.license.text.strip():
            fail(f"the stand-alone License: {name} is given twice or has no text")
        standalone[name] = paragraph.license.text
    used = set()
    for paragraph in files:
        where = " ".join(paragraph.files)
        if not (paragraph.copyright or "").strip():
            fail(f"Files: {where} has no Copyright")
        if paragraph.license is None or not paragraph.license.synopsis:
            fail(f"Files: {where} has no License")
            continue
        # A synopsis such as "LGPL-3 or GPL-2, and Zlib" names several licences.
        names = [n for n in re.split(r"\s+(?:or|and)\s+|,\s*", paragraph.license.synopsis) if n]
        used.update(names)
        for name in names:
            if not paragraph.license.text.strip() and name not in standalone:
                fail(f"Files: {where} names {name}, whose text is nowhere")
    for name in set(standalone) - used:
        fail(f"License: {name} is not used by any Files paragraph")

    with open(path, encoding="utf-8") as stream:
        text = stream.read()
    for common in sorted(set(re.findall(r"/usr/share/common-licenses/[\w.+-]*\w", text))):
        if os.path.isdir("/usr/share/common-licenses") and not os.path.isfile(common):
            fail(f"{common} does not exist")
    return text


def check_licence_file(path):
    with open(path, encoding="utf-8") as stream:
        licence = stream.read()
    head = " ".join(licence.split()[:9])
    if head != "GNU GENERAL PUBLIC LICENSE Version 3, 29 June 2007":
        fail(f"{path} does not start as the GPL version 3: {head!r}")
    common = "/usr/share/common-licenses/GPL-3"
    if os.path.isfile(common):
        with open(common, encoding="utf-8") as stream:
            if stream.read() != licence:
                fail(f"{path} differs from {common}")


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    try:
        import debian.copyright  # noqa: F401
    except ImportError:
        print("skipped: python3-debian is not installed")
        return 77
    copyright_text = check_copyright(argv[1])
    check_licence_file(argv[2])
    for program in argv[3:]:
        dynamic = subprocess.run(["readelf", "--dynamic", "--wide", program], check=True,
                                 capture_output=True, text=True).stdout
        for library in re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", dynamic):
            if copyright_text is not None and not SANITIZER_RUNTIMES.match(library) \
                    and library not in copyright_text:
                fail(f"{os.path.basename(program)} links {library}, which the copyright "
                     "file does not name")
    print(f"{len(failures)} check(s) failed" if failures else "copyright checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
