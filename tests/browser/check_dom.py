#!/usr/bin/env python3
"""Checks the DOM that headless Chromium built from a page of the site.

check_dom.py results RAW_PAGE DOM   the results page: one spectrum table per
                                    counted spectrum, every line row with its
                                    eight cells, the menu's links
check_dom.py menu PAGE DOM          another page of the site: the menu's links

Each menu link must resolve to a file next to the page.  Prints what it
found; exits 1 on the first fault.
"""
import os
import re
import sys
from html.parser import HTMLParser
from urllib.parse import urljoin, urlparse, unquote


class Page(HTMLParser):
    """Tables with their rows and cells, the first list's links, the text."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tables = []      # each a list of rows; a row is a list of cells
        self.open_tables = []
        self.menu = []        # (href or None, text) of the first <ul>'s items
        self.lists_seen = 0
        self.in_menu = False
        self.href = None
        self.item_text = None
        self.text = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "table":
            table = {"attrs": attrs, "rows": []}
            self.tables.append(table)
            self.open_tables.append(table)
        elif tag == "tr" and self.open_tables:
            self.open_tables[-1]["rows"].append([])
        elif tag in ("td", "th") and self.open_tables and self.open_tables[-1]["rows"]:
            self.open_tables[-1]["rows"][-1].append({"tag": tag, "attrs": attrs, "text": ""})
        elif tag == "ul":
            self.lists_seen += 1
            self.in_menu = self.lists_seen == 1
        elif tag == "li" and self.in_menu:
            self.close_item()
            self.item_text = ""
            self.href = None
        elif tag == "a" and self.in_menu and self.item_text is not None:
            self.href = attrs.get("href")

    def handle_endtag(self, tag):
        if tag == "table" and self.open_tables:
            self.open_tables.pop()
        elif tag == "ul" and self.in_menu:
            self.close_item()
            self.in_menu = False

    def close_item(self):
        if self.item_text is not None:
            self.menu.append((self.href, self.item_text.strip()))
        self.item_text = None

    def handle_data(self, data):
        self.text.append(data)
        if self.item_text is not None:
            self.item_text += data
        if self.open_tables and self.open_tables[-1]["rows"]:
            row = self.open_tables[-1]["rows"][-1]
            if row:
                row[-1]["text"] += data


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def parse(path):
    page = Page()
    with open(path, encoding="utf-8", errors="replace") as f:
        page.feed(f.read())
    page.close()
    return page


def check_menu(page, page_path, expect):
    """Every link of the menu resolves to a file next to the page."""
    base = "file://" + os.path.abspath(page_path)
    links = [(href, text) for href, text in page.menu if href]
    texts = [text for _, text in page.menu]
    if texts != ["Introduction", "Manual", "Query Results", "References"]:
        fail("menu entries are %r" % texts)
    if len(links) != 3:
        fail("menu has %d links, expected 3" % len(links))
    here = os.path.dirname(os.path.abspath(page_path))
    for href, text in links:
        target = urlparse(urljoin(base, href))
        path = unquote(target.path)
        if target.scheme != "file" or os.path.dirname(path) != here:
            fail("menu link %s (%s) does not lead next to the page" % (href, text))
        if not os.path.isfile(path):
            fail("menu link %s (%s): no file %s" % (href, text, path))
        expect.append(path)
    print("menu: %d links, each to a file next to %s" % (len(links), os.path.basename(page_path)))


def line_rows_of(tables):
    """The rows between a column-title row and the separator row."""
    rows = []
    for table in tables:
        inside = False
        for row in table["rows"]:
            first = row[0]["text"].strip() if row else ""
            if row and row[0]["attrs"].get("colspan") == "8":
                inside = False
            elif inside:
                rows.append(row)
            elif first == "zabs":
                if len(row) != 7:
                    fail("a column-title row has %d cells, expected 7" % len(row))
                inside = True
    return rows


def check_results(raw_path, dom_path):
    dom = parse(dom_path)
    raw = open(raw_path, encoding="utf-8", errors="replace").read()
    text = " ".join("".join(dom.text).split())
    match = re.search(r"There are (\d+) QSO spectra corresponding", text)
    if match:
        counted = int(match.group(1))
    elif "There is no QSO spectrum corresponding" in text:
        counted = 0
    else:
        fail("no count of matching spectra in the DOM")
    spectra = [t for t in dom.tables if any(c["tag"] == "th" for r in t["rows"] for c in r)]
    if len(spectra) != counted:
        fail("%d spectrum tables in the DOM, but the page counts %d" % (len(spectra), counted))
    print("spectra: %d tables for %d counted" % (len(spectra), counted))

    rows = line_rows_of(spectra)
    for row in rows:
        if len(row) != 8 or any(c["tag"] != "td" for c in row):
            fail("a line row has %d cells, expected 8: %r" % (len(row), [c["text"] for c in row]))
    # The same rows as the file writes them, so that none went missing.
    written = len(re.findall(r"<tr [^>\n]*>\n(?:<td>[^\n]*</td>\n){8}</tr>", raw))
    if len(rows) != written:
        fail("%d line rows in the DOM, %d in the file" % (len(rows), written))
    if counted and not rows:
        fail("spectra are counted but no line row is shown")
    print("line rows: %d, each with 8 cells" % len(rows))
    linked = []
    check_menu(dom, raw_path, linked)
    for path in linked:
        print("linked: " + path)


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("results", "menu"):
        print(__doc__)
        sys.exit(2)
    if sys.argv[1] == "results":
        check_results(sys.argv[2], sys.argv[3])
    else:
        check_menu(parse(sys.argv[3]), sys.argv[2], [])


if __name__ == "__main__":
    main()
