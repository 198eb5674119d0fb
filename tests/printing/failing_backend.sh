#!/bin/sh
# A print backend for the tests: it lists itself when asked, and fails every job it is given,
# as a printer that jams does; "kymata-fail:/5" jams after printing for 5 seconds. What the
# queue does then is its error policy's choice.
if [ $# -eq 0 ]; then
    echo 'direct kymata-fail "Unknown" "Kymata test printer that always fails"'
    exit 0
fi
cat >/dev/null
delay=${DEVICE_URI#kymata-fail:/}
case $delay in
'' | *[!0-9]*) ;;
*) sleep "$delay" ;;
esac
echo "ERROR: the test printer has jammed" >&2
exit 1
