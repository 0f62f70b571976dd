#!/usr/bin/python3
"""The yardstick for the receipt benchmarks: a short script that draws comparable receipts with
a mainstream PDF library (ReportLab). A4, four receipts to a page, each with the texts of a plain
receipt in an embedded subset of IPA P Gothic, its rules, and two raster ornaments (drawn from
the same two image files on every receipt, as the library keeps one copy of each).

usage: receipt_script.py OUT.pdf RECEIPTS FONT.ttf LOWER_LEFT.png UPPER_RIGHT.png
"""
import sys

from reportlab.lib.pagesizes import A4
from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.ttfonts import TTFont
from reportlab.pdfgen import canvas

TWIP = 1 / 20  # positions below are in twips, as the program's layouts give them


def main(out, receipts, font, lower_left, upper_right):
    pdfmetrics.registerFont(TTFont("Gothic", font))
    page = canvas.Canvas(out, pagesize=A4)
    page.setTitle("領収証")
    width, height = A4
    left, top_margin, cell_height = 600 * TWIP, 270 * TWIP, (16838 - 370) / 4 * TWIP

    for index in range(receipts):
        slot = index % 4
        if index and slot == 0:
            page.showPage()
        top = height - top_margin - slot * cell_height

        def text(x, y, size, value, centre_width=None):
            page.setFont("Gothic", size)
            baseline = top - (y * TWIP) - size
            if centre_width:
                page.drawCentredString(left + (x + centre_width / 2) * TWIP, baseline, value)
            else:
                page.drawString(left + x * TWIP, baseline, value)

        page.drawImage(lower_left, left + 71 * TWIP, top - 3543 * TWIP, 2197 * TWIP, 2126 * TWIP, mask="auto")
        page.drawImage(upper_right, left + 8505 * TWIP, top - 2400 * TWIP, 2160 * TWIP, 2100 * TWIP, mask="auto")
        text(4394, 270, 22, "領収証", 2409)
        text(1134, 870, 18, f"会員 {index + 1}")
        text(5031, 870, 18, "様")
        page.line(left + 1063 * TWIP, top - 1260 * TWIP, left + 5528 * TWIP, top - 1260 * TWIP)
        text(7016, 992, 12, "日付")
        text(7724, 992, 12, "2026年12月11日")
        text(8008, 1417, 12, "No.")
        text(8504, 1417, 12, f"{index + 1:05d}")
        text(3543, 1400, 26.5, "¥3,000-")
        page.line(left + 3543 * TWIP, top - 1900 * TWIP, left + 6874 * TWIP, top - 1900 * TWIP)
        text(1920, 1990, 12, "年会費として", 6900)
        text(3615, 2300, 12, "上記金額を領収致しました。")
        text(5386, 2660, 12, "ひまわり会")
        text(5882, 2960, 10, "東京都千代田区千代田1-1")
        page.setDash(6, 2)
        page.line(left + 71 * TWIP, top - 4000 * TWIP, left + 10600 * TWIP, top - 4000 * TWIP)
        page.setDash()
    page.save()


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    main(sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5])
