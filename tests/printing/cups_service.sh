#!/usr/bin/env bash
# Starts or stops the print service that the print test sends its pages through.
#   cups_service.sh start STATE   start cupsd if it is not running, add the PDF queue
#   cups_service.sh stop STATE    remove what start added, stop cupsd if start started it
# STATE is a file: its first line is "ready" or "unavailable: <reason>" for the test to read;
# the rest records what start did, so that stop undoes only that.
set -u
action=$1
state=$2
queue=KymataTest
model=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
# A backend that fails every job, for the queues whose error policy the test tries.
failing=/usr/lib/cups/backend/kymata-fail

as_admin() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo -n "$@"; fi
}

unavailable() {
    echo "unavailable: $*" >"$state"
    echo "The print test will be skipped: $*"
    exit 0
}

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

case $action in
start)
    : >"$state"
    for tool in cupsd lpadmin lpstat; do
        command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] ||
            unavailable "$tool is not installed (Debian packages cups and printer-driver-cups-pdf)"
    done
    [ -e /usr/lib/cups/backend/cups-pdf ] || unavailable "the cups-pdf backend is not installed"
    started=no
    if ! running; then
        as_admin /usr/sbin/cupsd >/dev/null 2>&1 || unavailable "cupsd could not be started"
        for _ in $(seq 50); do running && break; sleep 0.2; done
        running || unavailable "cupsd started but does not answer"
        started=yes
    fi
    as_admin lpadmin -p "$queue" -v cups-pdf:/ -E -m "$model" >/dev/null 2>&1 ||
        { [ $started = yes ] && as_admin pkill -x cupsd; unavailable "the PDF queue could not be added"; }
    as_admin install -m 0755 "$(dirname "$0")/failing_backend.sh" "$failing" >/dev/null 2>&1 ||
        echo "the failing backend could not be installed; its rows will fail"
    printf 'ready\nstarted=%s\nqueue=%s\n' "$started" "$queue" >"$state"
    echo "CUPS is ready with queue $queue (cupsd started here: $started)"
    ;;
stop)
    [ -f "$state" ] || exit 0
    if head -n 1 "$state" | grep -q '^ready'; then
        as_admin lpadmin -x "$queue" >/dev/null 2>&1 || true
        as_admin rm -f "$failing"
        if grep -q '^started=yes' "$state"; then
            as_admin pkill -x cupsd || true
            echo "stopped the cupsd that the tests started"
        fi
    fi
    rm -f "$state"
    ;;
esac
exit 0
