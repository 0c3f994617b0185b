#!/usr/bin/env bash
# Runs a command beside a private print server: its own cupsd, listening only
# on a socket in a scratch folder, with one CUPS-PDF queue whose PDFs land in
# that folder. The command sees
#   CUPS_SERVER               the socket (libcups and Qt's print support use it)
#   VELMARIN_PRINTER          the queue's name
#   VELMARIN_PRINT_OUTPUT     the folder where the printed PDFs appear
# The server is stopped and everything it made removed when the command ends,
# fails or is interrupted; the exit status is the command's.
#
# The CUPS-PDF backend runs only under a cupsd started by root (it is
# installed for root alone), so for anyone else this exits with 77 (skipped).
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGUMENT...]" >&2
  exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: a CUPS-PDF queue needs a print server started by root" >&2
  exit 77
fi
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
for needed in "$cupsd" /usr/sbin/lpadmin /usr/lib/cups/backend/cups-pdf; do
  if [ ! -x "$needed" ]; then
    echo "missing $needed (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

# CUPS-PDF reads its settings only from /etc/cups; a file of our own there,
# named after this run, sends its output, spool and log into the scratch folder.
name=velmarin-test-$$
backend_conf=/etc/cups/cups-pdf-$name.conf
# A run that was killed outright could not remove its files.
for stale in /etc/cups/cups-pdf-velmarin-test-*.conf /tmp/velmarin-cups-*; do
  [ -e "$stale" ] || continue
  pid=${stale##*-}
  pid=${pid%%.*}
  kill -0 "$pid" 2>/dev/null || rm -rf "$stale"
done
root=$(mktemp -d "/tmp/velmarin-cups-$$.XXXXXX")
cupsd_pid=
cleanup() {
  local status=$?
  if [ -n "$cupsd_pid" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
    kill -TERM "$cupsd_pid" 2>/dev/null || true
    # cupsd ends its jobs' filters and backends before it exits.
    for _ in $(seq 1 50); do kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
  rm -f "$backend_conf"
  rm -rf "$root"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Filters run as lp and must reach the spool and temporary folders.
chmod 755 "$root"
mkdir -p "$root"/{etc/ppd,spool,tmp,cache,state,log,pdf,pdf-spool}
chmod 1777 "$root/pdf-spool"
chgrp lp "$root/tmp"
chmod 1770 "$root/tmp"
socket=$root/cups.sock

cat >"$root/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing Off
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
MaxJobs 20
PreserveJobHistory No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$root/etc/cups-files.conf" <<CONF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/tmp
CacheDir $root/cache
StateDir $root/state
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
User lp
Group lp
SystemGroup root
Sandboxing Relaxed
CONF
cat >"$backend_conf" <<CONF
Out $root/pdf
Spool $root/pdf-spool
Log $root/log
AnonDirName $root/pdf
LogType 1
CONF

# Should this script be killed outright, the server still goes: it gets
# SIGTERM when its parent dies.
setpriv --pdeathsig TERM "$cupsd" -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" &
cupsd_pid=$!
for _ in $(seq 1 100); do
  [ -S "$socket" ] && break
  if ! kill -0 "$cupsd_pid" 2>/dev/null; then
    echo "cupsd did not start:" >&2
    cat "$root/log/error_log" >&2 2>/dev/null || true
    exit 1
  fi
  sleep 0.1
done
if [ ! -S "$socket" ]; then
  echo "cupsd did not open $socket" >&2
  exit 1
fi

export CUPS_SERVER=$socket
export VELMARIN_PRINTER=VelmarinPDF
export VELMARIN_PRINT_OUTPUT=$root/pdf
# lpadmin warns that PPD files are deprecated; only its failure is worth showing.
# Poppler's Cairo renderer keeps the text of the page as text in the PDF
# (the default one turns it into glyphs without their characters).
if ! /usr/sbin/lpadmin -p "$VELMARIN_PRINTER" -v "cups-pdf:/$name" -P "$ppd" -E \
    -o pdftops-renderer-default=pdftocairo 2>"$root/log/lpadmin"; then
  cat "$root/log/lpadmin" >&2
  exit 1
fi

# The command gets a time limit below the test's, so that this script, not
# the test runner, ends it and stops the server.
set +e
timeout --kill-after=10 "${VELMARIN_PRINT_TIME_LIMIT:-240}" "$@"
status=$?
set -e
if [ "$status" -ne 0 ] && [ -s "$root/log/error_log" ]; then
  echo "--- cupsd error log" >&2
  cat "$root/log/error_log" >&2
fi
exit "$status"
