#!/usr/bin/env bash
# Writes the seed inputs of fuzz/corpus/ that are made rather than found: small valid files of each
# kind and odd ones (cut short, extreme values, stray bytes). Inputs that a fuzz run found are
# added by hand (docs/FUZZING.md) and are never rewritten here. Needs ImageMagick and python3.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
mkdir -p corpus && cd corpus
mkdir -p renamelist profile tiff jpeg pdf plot journal workdata template
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

crlf() { printf '%s\r\n' "$@"; }

# ---- rename list: template bytes, NUL, list bytes -------------------------------------------
template() { # names types loads
    crlf "[ROWINFO]" "NAME=$1" "TYPE=$2" "LOAD=$3" "FILENAME=1,1,0,0," "SORT1=0,1,0,0," \
        "SORT2=0,0,1,0," "DISP=0,0,0,0," "OUTPUTPATH=/tmp" "REPLACE=0" "REPLACECHAR=" \
        "SORTEXPORT=0" "MEMORYROWWIDTH=0" "BEAMS1=4,5," "BEAMS2=0,2," "ALIGMENT=0,1,2,0," \
        "TEXTRESTTICTION=0,0,0,0," "DOCTYPE="
}
four=$(template $'No\tName\tDate\tSize\t' "2,1,4,5," "1,2,3,4,")
{ printf '%s\0' "$four"; crlf "1,alpha,2024/02/29,A4" "2,beta,2023/13/01,A3" "3,\"quoted, comma\",,B5"; } >renamelist/valid-four-columns
{ printf '%s\0' "$four"; crlf "x,\"open quote,2024/1/1" "-0012.50,ab\"c,0000/00/00,A0" ",,,," \
    "99999999999999999999,$(printf '\x82\xa0\x82\xa2\x81\x5c'),1900/02/29,ZZ"; } >renamelist/odd-values
{ printf '%s\0' "$four"; printf 'a,b\rc,d\n\n\r\ne,f'; } >renamelist/odd-line-ends
{ printf '%s\0' "$four"; printf '\x82'; } >renamelist/lone-lead-byte
crlf "7,gamma,2024/03/01,A2" "8,delta,yesterday,A1" >renamelist/list-only
# A template far wider than the list can hold.
wide_names=$(printf 'c%d\t' $(seq 1 600))
wide_types=$(printf '1,%.0s' $(seq 1 600))
wide_loads=$(printf '%d,' $(seq 1 600))
{ printf '%s\0' "$(template "$wide_names" "$wide_types" "$wide_loads")"; crlf "a,b,c"; } >renamelist/wide-template
{ crlf "[ROWINFO]" "NAME=a"; printf '\0x\r\n'; } >renamelist/incomplete-template

# ---- profile files: settings, templates, work data --------------------------------------------
crlf "[SYSTEM]" "Template=plan" "ExpanPreview=1" "Margin=12" "LoadPreview=1" "InitDateType=1" \
    "InitDate=2024/02/29" "CsvRowNum=300" "TargetExt=TIF/TIFF/JPG/JPEG/PDF/PLT" "JPGResolution=96" \
    "[PATH]" "Scan=/tmp/scan" "Csv=/tmp/csv" "[window]" "left=10" "top=20" "right=800" "bottom=600" \
    "[ExpanPreviewInfo1]" "Origin=1" "PosX=5" "PosY=6" "Width=200" "Height=100" \
    "[ExpanPreview_A0_P1]" "Info=1,10,20,300,150" >profile/settings-valid
crlf "[SYSTEM]" "Margin=2147483647" "[ExpanPreview_A0_P1]" "Info=0,2147483647,0,100,50" \
    "[ExpanPreview_B5_L2]" "Info=0,0,2147483647,100,2147483647" >profile/settings-extreme-values
crlf "[SYSTEM]" "Margin=-2147483648" "JPGResolution=99999999999" "TiffInfanticide=-7" \
    "CsvRowNum=0" "[ExpanPreview_UnFixed1]" "Info=-2147483648,-1,-1,-2147483648,0" >profile/settings-negative
crlf "[SYSTEM]" "InitDateType=1" "InitDate=2008/02/30" >profile/settings-impossible-date
crlf "[SYSTEM]" "InitDateType=1" "InitDate=$(printf '\x82\xa0')garbage" >profile/settings-garbage-date
{ crlf "[SYSTEM]"; for i in $(seq 1 300); do crlf "Key$i=value $i"; done; crlf "Margin=5"; } >profile/settings-many-keys
printf '[SYSTEM\r\n=\r\n  Margin  =  "12"  \r\n[]\r\nMargin=x\r\n[SYSTEM]]\r\nTemplate="\r\n' >profile/odd-syntax
printf 'Margin=1\n[system]\nmargin=3\n[SYSTEM]\nMARGIN=4' >profile/case-and-no-final-line-end
printf '\xef\xbb\xbf[SYSTEM]\r\nMargin=\x00\x01\xff\r\n' >profile/bom-and-control-bytes
template $'No\tName\tDate\tSize\t' "2,1,4,5," "1,2,3,4," >profile/template-valid
crlf "[PATH]" "TEMPLATE=plan.tpl" "CSV=plan.csv" "IMAGE=/tmp/scan" "[INFO]" "BIBLIONUM=r1,r2," \
    "[r1]" "NUM=2" "1=a.tif" "1-PREV=1" "2=b.pdf" "2-PREV=0" "[r2]" "NUM=1" "1=c.jpg" >profile/workdata-valid
crlf "[PATH]" "TEMPLATE=../up.tpl" "CSV=/etc/passwd" "[INFO]" "BIBLIONUM=r1,,r1,missing," \
    "[r1]" "NUM=2147483647" "1=a/b.tif" "-1-PREV=x" >profile/workdata-odd

# ---- work data and templates, loaded whole (the door plants plan.tpl, plan.csv and scans) -----
cp profile/template-valid template/valid-four-columns
template $'No\tName\tDate\tSize\t' "2,1,4,5,6,7," "1,2,3," >template/types-beyond-names
template "$wide_names" "$wide_types" "$wide_loads" >template/wide
crlf "[ROWINFO]" "NAME=a" "TYPE=1" "LOAD=1" "FILENAME=1" "TEXTRESTTICTION=1,2" "BEAMS1=99999999999" >template/odd-values
crlf "[PATH]" "TEMPLATE=plan.tpl" "CSV=plan.csv" "IMAGE=" "[INFO]" "BIBLIONUM=1,2," \
    "[1]" "NUM=2" "1=a.tif" "1-PREV=1" "2=b.pdf" "2-PREV=0" "[2]" "NUM=1" "1=gone.tif" >workdata/valid
crlf "[PATH]" "TEMPLATE=plan.tpl" "CSV=plan.csv" "IMAGE=/nonexistent" "[INFO]" "BIBLIONUM=1," "[1]" "NUM=1" \
    "1=a.tif" >workdata/image-folder-missing
crlf "[PATH]" "TEMPLATE=../plan.tpl" "CSV=plan.csv" >workdata/template-with-path
crlf "[PATH]" "TEMPLATE=PLAN.TPL" "CSV=PLAN.CSV" "[INFO]" "BIBLIONUM=3,3,999999999," "[3]" \
    "NUM=2147483647" "7=../a.tif" "1=a.tif" "1=b.pdf" >workdata/odd-records

# ---- run journals: "@R" is the scratch folder, "@ID" the data folder, "@S" store/x.tif's stamp --
tabs() { local IFS=$'\t'; printf '%s\n' "$*"; }
header() {
    tabs nomira-run 2; tabs run 20240229-120000; tabs started "2024-02-29 12:00:00"; tabs data @ID
    tabs images @R/images; tabs storage @R/store; tabs keep-folder @R/data/journal/20240229-120000/keep
    tabs column 1 1; tabs column 2 1; tabs row 1 @R/store/x.tif x "note x"; tabs image 1 @R/images/x.tif
    tabs planned
}
{ header; tabs keep @R/store/old.tif @R/data/journal/20240229-120000/keep/0001-old.tif
    tabs kept @R/store/old.tif @R/data/journal/20240229-120000/keep/0001-old.tif
    tabs move @R/images/x.tif @R/store/x.tif; tabs moved @R/images/x.tif @R/store/x.tif @S
    tabs row-done 1; tabs end 1 1; } >journal/finished-run
{ header; tabs write @R/store/x.tif; tabs keep @R/images/b.tif @R/images/.nomira-keep-20240229-120000/0001-b.tif
    tabs move @R/images/a.tif @R/store/a.tif; } >journal/cut-off-run
{ header; tabs write @R/outside/victim.tif; tabs written @R/outside/victim.tif @S
    tabs move @R/outside/victim.tif @R/store/../outside/v.tif; tabs keep @R/outside/victim.tif victim; } >journal/planted-paths
{ header | sed 's/^data\t.*/data\t1\t2/'; tabs write @R/store/x.tif; tabs written @R/store/x.tif @S; } >journal/other-data-folder
printf 'nomira-run\t1\nimages\t@R/images\nstorage\t@R/store\nwrite\t@R/store/x.tif\nwritten\t@R/store/x.tif\t12\t1\n' >journal/older-format

# ---- images --------------------------------------------------------------------------------
magick=$(command -v magick || command -v convert)
"$magick" -size 120x170 xc:white -fill black -draw 'rectangle 10,10 60,80' -density 10 -units PixelsPerInch \
    -monochrome -compress Group4 tiff/bilevel-g4.tif
"$magick" -size 60x85 gradient:gray20-white -density 5 -units PixelsPerInch -depth 8 -compress LZW tiff/gray8-lzw.tif
"$magick" -size 20x28 plasma:red-blue -seed 1 -density 1 -units PixelsPerInch -compress None tiff/rgb-plain.tif
"$magick" -size 40x57 xc:white -density 3 -units PixelsPerInch -monochrome \( -size 57x40 xc:black -density 3 \) \
    -monochrome -compress Group4 tiff/two-pages.tif
"$magick" -size 8x8 xc:white -density 1200 -units PixelsPerInch -monochrome tiff/over-600-dpi.tif
"$magick" -size 3000x20 xc:white -density 2 -units PixelsPerInch -monochrome -compress Group4 tiff/roll.tif
head -c 200 tiff/gray8-lzw.tif >tiff/cut-short.tif
printf 'II*\0\x08\0\0\0\xff\xff' >tiff/header-only.tif
printf 'MM\0*\0\0\0\x08\0\x01\x01\0\0\x04\0\0\0\x01\x7f\xff\xff\xff\0\0\0\0' >tiff/huge-width.tif
"$magick" -size 60x85 plasma: -seed 2 -density 10 -units PixelsPerInch -quality 60 jpeg/colour.jpg
"$magick" -size 60x85 gradient: -density 10 -units PixelsPerInch -colorspace Gray -quality 50 jpeg/gray.jpg
"$magick" -size 40x40 xc:gray -quality 50 jpeg/no-density.jpg
head -c 300 jpeg/colour.jpg >jpeg/cut-short.jpg
printf '\xff\xd8\xff\xc0\0\x11\x08\xff\xff\xff\xff\x03\x01\x22\0\x02\x11\x01\x03\x11\x01\xff\xd9' >jpeg/huge-frame.jpg

pdf() { # media box width height, page count
    python3 - "$@" <<'PY'
import sys
w, h, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
objs = ["<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [%s] /Count %d >>" % (" ".join("%d 0 R" % (3 + i) for i in range(n)), n)]
for i in range(n):
    objs.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 %s %s] >>" % (w, h))
out = "%PDF-1.4\n"
offsets = []
for i, o in enumerate(objs):
    offsets.append(len(out))
    out += "%d 0 obj\n%s\nendobj\n" % (i + 1, o)
xref = len(out)
out += "xref\n0 %d\n0000000000 65535 f \n" % (len(objs) + 1)
out += "".join("%010d 00000 n \n" % o for o in offsets)
out += "trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objs) + 1, xref)
sys.stdout.write(out)
PY
}
pdf 595 842 1 >pdf/a4.pdf
pdf 842 595 3 >pdf/a3-three-pages.pdf
pdf 14400 14400 1 >pdf/page-far-over-a0.pdf
pdf 2384 3370 1 >pdf/a0.pdf
pdf 50 50 1 >pdf/too-small.pdf
pdf 1e308 -5 1 >pdf/odd-media-box.pdf
head -c 150 pdf/a4.pdf >pdf/cut-short.pdf
printf '%%PDF-1.7\n1 0 obj << /Type /Catalog /Pages 1 0 R >> endobj\ntrailer << /Root 1 0 R >>\n%%%%EOF\n' >pdf/pages-loop.pdf

printf 'IN;SP1;PU0,0;PD1000,0,1000,1000,0,1000,0,0;PU;SP0;\n' >plot/square.plt
printf 'IN;SP1;PA0,0;PD4000,3000;PU;PG;IN;SP1;CI500;PG;\n' >plot/two-pages.plt
printf '\x1b%%-12345X@PJL\r\nIN;SP1;PD-2147483648,2147483647;LBabc\x03;\n' >plot/odd-numbers.plt
printf 'IN;SP1;PD' >plot/cut-short.plt
