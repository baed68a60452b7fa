"""Prints a short summary of the JSON record quillmoth-book writes."""
import json
import sys

book = json.load(sys.stdin)
layout = "Chinese" if book["isCJK"] else "Western"
print(f"Book: {book['bookFileName']} (encoding {book['encoding']}, {layout} layout)")
print(f"{book['pageCount']} pages, {book['charsPerLine']} characters per line, "
      f"{book['linesPerPage']} lines per page, error {book['error']}")
print("Chapters:")
for chapter in book["chapters"]:
    print(f"  page {chapter['page']:>4}  {chapter['title']}")
for number, page in enumerate(book["pages"][:2], start=1):
    print(f"--- page {number} ---")
    print(page.replace("\r\n", "\n").rstrip())
