#!/usr/bin/env bash
# A print queue of our own for the end-to-end printing test: a private CUPS
# scheduler in FOLDER, listening on FOLDER/cups.sock, with one queue "BrisvelPDF"
# on the cups-pdf backend (which writes each job as a PDF into the job owner's
# ~/PDF). The system's CUPS, if any, is not touched.
#   cups_queue.sh start FOLDER   prints the socket path once the queue accepts jobs
#   cups_queue.sh stop FOLDER
set -euo pipefail
command="$1"
folder="$2"

if [ "$command" = stop ]; then
    if [ -f "$folder/cupsd.pid" ]; then
        kill "$(cat "$folder/cupsd.pid")" 2>/dev/null || true
    fi
    exit 0
fi

mkdir -p "$folder"/{root,spool,cache,state,log}
chmod 755 "$folder"
cat > "$folder/root/cupsd.conf" <<CONF
Listen $folder/cups.sock
LogLevel warn
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
# The scheduler refuses to run its filters as root: they run as lp.
cat > "$folder/root/cups-files.conf" <<CONF
ServerRoot $folder/root
RequestRoot $folder/spool
CacheDir $folder/cache
StateDir $folder/state
TempDir $folder/spool
ErrorLog $folder/log/error_log
AccessLog $folder/log/access_log
PageLog $folder/log/page_log
SystemGroup lpadmin root
User lp
Group lp
Sandboxing relaxed
CONF
chown -R root:lp "$folder"/{spool,cache,state}
chmod 770 "$folder"/{spool,cache,state}

/usr/sbin/cupsd -f -c "$folder/root/cupsd.conf" -s "$folder/root/cups-files.conf" \
    >"$folder/log/cupsd.out" 2>&1 &
echo $! >"$folder/cupsd.pid"

export CUPS_SERVER="$folder/cups.sock"
for _ in $(seq 50); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
done
lpadmin -p BrisvelPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -d BrisvelPDF
echo "$CUPS_SERVER"
