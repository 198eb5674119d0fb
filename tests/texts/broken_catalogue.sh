#!/bin/sh
# The build refuses a broken catalogue with the reader's sentence and its line: el.po with one
# closing quote taken away, and a copy whose translation has another placeholder than its
# source, each stop the step that embeds the catalogues, naming the file and the line.
#   broken_catalogue.sh SOURCE_DIR CHECKER
set -u
source_dir=$1
checker=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# Embeds $work/el.po and expects the build to stop with "el.po:LINE: WHAT".
expect_refused() {
    line=$1
    what=$2
    if cmake -DSOURCE="$work" -DLANGUAGES=el -DOUTPUT="$work/out.cpp" -DCHECK="$checker" \
        -P "$source_dir/cmake/EmbedCatalogues.cmake" >"$work/said" 2>&1; then
        echo "FAIL: a catalogue with $what was embedded"
        status=1
    elif ! grep -q "el.po:$line: $what" "$work/said"; then
        echo "FAIL: not the reader's sentence for line $line ($what):"
        cat "$work/said"
        status=1
    else
        echo "ok: refused at line $line: $what"
    fi
    if [ -e "$work/out.cpp" ]; then
        echo "FAIL: the refused catalogue was written out"
        status=1
    fi
}

# The first msgstr of a message (not the header's): its closing quote taken away.
line=$(grep -n '^msgstr ".\+"$' "$source_dir/data/i18n/el.po" | sed -n 2p | cut -d: -f1)
sed "${line}s/\"\$//" "$source_dir/data/i18n/el.po" >"$work/el.po"
expect_refused "$line" "the quoted text is not closed"

# A placeholder of a translation that its source lacks.
line=$(grep -n '^msgid ".*%1.*"$' "$source_dir/data/i18n/el.po" | sed -n 1p | cut -d: -f1)
sed "$((line + 1))s/%1/%7/" "$source_dir/data/i18n/el.po" >"$work/el.po"
message=$(awk -v l="$line" 'NR < l && /^msgctxt/ { m = NR } END { print m }' "$work/el.po")
expect_refused "$message" "the text of"

# The shipped catalogue itself goes through.
cp "$source_dir/data/i18n/el.po" "$work/el.po"
if ! cmake -DSOURCE="$work" -DLANGUAGES=el -DOUTPUT="$work/out.cpp" -DCHECK="$checker" \
    -P "$source_dir/cmake/EmbedCatalogues.cmake"; then
    echo "FAIL: the shipped el.po was refused"
    status=1
fi
exit $status
