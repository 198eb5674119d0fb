#!/bin/sh
# A print backend for the tests: it lists itself when asked, and fails every job it is given,
# as a printer that jams does. What the queue does then is its error policy's choice.
if [ $# -eq 0 ]; then
    echo 'direct kymata-fail "Unknown" "Kymata test printer that always fails"'
    exit 0
fi
cat >/dev/null
echo "ERROR: the test printer has jammed" >&2
exit 1
