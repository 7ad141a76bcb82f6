#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Prints through a CUPS server of its own: with no printers, nothing is started; with a
# cups-pdf queue, pages printed through the window's Print command and through
# `pintabel-cli print` come out as one-page PDFs named after their files, with the picture
# where the fit rule puts it. The A4 page of the cups-pdf queue has no hardware margins,
# so the printable area is the whole page. Then printers are added, removed and made to
# reject jobs, and the current printer follows.
# Usage: print_cups_test.sh PATH/TO/test_print_cups PATH/TO/pintabel-cli
# Exits 77 (reported by ctest as skipped), saying why, only when the server cannot run.
set -uo pipefail

gtest=${1:?usage: print_cups_test.sh TEST_PROGRAM PINTABEL_CLI}
cli=${2:?usage: print_cups_test.sh TEST_PROGRAM PINTABEL_CLI}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/private_cupsd.sh
. "$here/private_cupsd.sh"

# cupsd and the CUPS administration tools live in sbin, which a plain user's PATH lacks.
export PATH="$PATH:/usr/sbin:/sbin"

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "print_cups: FAILED: $*"
    [ -n "${work:-}" ] && tail -n 20 "$work/cups/log/error_log" 2>/dev/null
    exit 1
}

for tool in lpadmin lpstat cupsreject cupsaccept pdfinfo pdftoppm convert; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d /tmp/pintabel-print.XXXXXX)
# The filters and the backend run as the server's own user and must reach the spool.
chmod 755 "$work"
tag="pintabel-print-$$-$RANDOM"
# cups-pdf writes into the folder its own configuration names, in the home of the user
# the job came from.
user=$(id -un)
home=$(getent passwd "$user" | cut -d: -f6)
out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
# shellcheck disable=SC2016 # the placeholder as cups-pdf writes it, replaced just below
out=${out:-'${HOME}/PDF'}
out=${out//\$\{HOME\}/$home}
out=${out//\$\{USER\}/$user}

# The CUPS clients read the user's own choices (a default printer in ~/.cups/lpoptions or
# in PRINTER); the jobs here go to the queue this script makes the default.
export HOME="$work/home"
mkdir -p "$HOME"
unset PRINTER LPDEST

cleanup() {
    stop_private_cupsd
    rm -f "$out/$tag"*
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# run_cases FILTER: the test program's cases of one phase; they must run, not skip.
run_cases() {
    timeout 60 "$gtest" --gtest_filter="$1" 2>&1 | tee "$work/cases.log"
    [ "${PIPESTATUS[0]}" -eq 0 ] && ! grep -q '^\[  SKIPPED \]' "$work/cases.log"
}

start_private_cupsd "$work/cups" || skip "cupsd cannot run here: $cupsd_failure"
export PINTABEL_PRINT_TAG=$tag
export QT_QPA_PLATFORM=offscreen

echo "== no printers"
run_cases 'CupsNoPrinters.*' || fail "the window printed without printers"
convert -size 40x20 xc:black "$work/$tag-cli-none.png"
message=$("$cli" print "$work/$tag-cli-none.png" 2>&1)
status=$?
[ $status -eq 1 ] || fail "pintabel-cli print without printers ended with $status"
grep -q 'TQvPrinter.CheckNoPrinter: No Printer' <<<"$message" ||
    fail "pintabel-cli print without printers said: $message"

echo "== a cups-pdf queue"
add_pdf_queue pdf >/dev/null 2>&1 || fail "the cups-pdf queue could not be added"
run_cases 'CupsPrinting.*' || fail "printing through the window"
# A GIF: a page of 8 bits per pixel with a colour table.
convert -size 300x600 xc:'#141e3c' "$work/$tag-cli.gif"
"$cli" print --printer pdf "$work/$tag-cli.gif" || fail "pintabel-cli print"
message=$("$cli" print --printer no-such-queue "$work/$tag-cli.gif" 2>&1) &&
    fail "pintabel-cli print to a queue that does not exist succeeded"
grep -q '選択したプリンタは有効ではありません' <<<"$message" ||
    fail "pintabel-cli print to a queue that does not exist said: $message"

# Every job must have left the queue: the window's two pages and the tool's one.
for _ in $(seq 600); do
    [ -z "$(lpstat -o 2>/dev/null)" ] && break
    sleep 0.1
done
[ -n "$(lpstat -o)" ] && fail "jobs still queued after 60 s: $(lpstat -o)"
jobs=$(lpstat -W completed -o | wc -l)
[ "$jobs" -eq 3 ] || fail "$jobs jobs reached the queue, expected 3: $(lpstat -W completed -o)"
for abandoned in empty abandoned second; do
    ls "$out/$tag-$abandoned"* >/dev/null 2>&1 && fail "an abandoned job was printed: $abandoned"
done

# check_page TITLE IW IH: one page titled TITLE, with the IW x IH picture spanning the
# page's width or height and centred, within 2 points.
check_page() {
    local title=$1 iw=$2 ih=$3
    local files=("$out/$title"*.pdf)
    if [ ${#files[@]} -ne 1 ] || [ ! -f "${files[0]}" ]; then
        fail "no single PDF for $title in $out"
    fi
    local info
    info=$(pdfinfo "${files[0]}")
    grep -Eq "^Pages: +1$" <<<"$info" || fail "$title: not one page: $info"
    grep -Eq "^Title: +\(?$title\)?$" <<<"$info" || fail "$title: wrong title: $info"
    pdftoppm -r 72 -gray -singlefile "${files[0]}" "$work/page" || fail "$title: pdftoppm"
    local found
    found=$(convert "$work/page.pgm" -threshold 50% -format '%@ %w %h' info:)
    awk -v found="$found" -v iw="$iw" -v ih="$ih" -v title="$title" 'BEGIN {
        split(found, f, /[x+ ]/); pw = f[5]; ph = f[6]
        if (ph * iw > ih * pw) { w = pw; h = ih * pw / iw; x = 0; y = (ph - h) / 2 }
        else { h = ph; w = iw * ph / ih; y = 0; x = (pw - w) / 2 }
        d = 2
        ok = (f[1] - w < d && w - f[1] < d && f[2] - h < d && h - f[2] < d &&
              f[3] - x < d && x - f[3] < d && f[4] - y < d && y - f[4] < d)
        printf "%s: picture at %s on %sx%s, expected %.1fx%.1f+%.1f+%.1f\n",
               title, f[1] "x" f[2] "+" f[3] "+" f[4], pw, ph, w, h, x, y
        exit !ok
    }' || fail "$title: the picture is not where it belongs"
}
check_page "$tag-wide" 400 200
check_page "$tag-tall" 100 400
check_page "$tag-cli" 300 600

echo "== printers change"
run_cases 'CupsPrinterChanges.*' || fail "printer changes"
echo "print_cups: passed"
