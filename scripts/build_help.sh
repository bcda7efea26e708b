#!/usr/bin/env bash
# Compiles the help pages (help/, UTF-8) into the HTML Help file Melodrix.chm with chmcmd.
#   scripts/build_help.sh <help source dir> <staging dir> <output .chm>
# The viewer reads pages, contents and title in the file's code page (932 for Japanese), so those
# are converted to Shift-JIS. The index stays UTF-8: chmcmd reads it as UTF-8 to write the binary
# keyword index (UTF-16) that keyword look-ups search; fed Shift-JIS, it writes '?' there.
# Without chmcmd (package fp-utils) the build goes on without the help file and says so.
set -euo pipefail

source=$1
staging=$2
output=$3

if ! command -v chmcmd >/dev/null; then
    echo "build_help: chmcmd not found (Debian package fp-utils): Melodrix.chm is not built;" \
         "the player's help will report the file as missing" >&2
    exit 0
fi

to_shift_jis() {
    sed 's/charset=UTF-8/charset=Shift_JIS/' "$1" | iconv -f UTF-8 -t CP932 > "$2"
}

rm -rf "$staging"
mkdir -p "$staging"
for page in "$source"/pages/*; do
    name=$(basename "$page")
    case "$name" in
        *.html) to_shift_jis "$page" "$staging/$name" ;;
        *) cp "$page" "$staging/$name" ;;
    esac
done
to_shift_jis "$source/toc.hhc" "$staging/toc.hhc"
cp "$source/index.hhk" "$staging/index.hhk"
{
    iconv -f UTF-8 -t CP932 "$source/Melodrix.hhp"
    printf '\n[FILES]\n'
    (cd "$staging" && ls -1 | grep -v -e '\.hhc$' -e '\.hhk$' -e '\.hhp$')
} > "$staging/Melodrix.hhp"

log="$staging/chmcmd.log"
if ! (cd "$staging" && chmcmd --verbosity 1 Melodrix.hhp) > "$log" 2>&1 || [ ! -s "$staging/Melodrix.chm" ]; then
    cat "$log" >&2
    echo "build_help: chmcmd could not compile the help" >&2
    exit 1
fi
if grep -qi 'error' "$log"; then
    cat "$log" >&2
    exit 1
fi
cp "$staging/Melodrix.chm" "$output"
