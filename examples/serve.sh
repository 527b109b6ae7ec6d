#!/usr/bin/env bash
# Serves the bundled example on 127.0.0.1 with lighttpd: the site's pages,
# the query form and catalix-cgi, answering from the example catalogue.
# Each run has a folder of its own; once the server answers, prints the
# form's address and runs until Ctrl-C, which stops the server and removes
# the folder.  The configuration is one to copy: bodies above the 64 KiB
# that catalix-cgi takes are refused before they are stored, and what is
# stored goes to a folder only the server can read; an answer is passed on
# as the client takes it, not held whole first (a page can be 100 MB), so
# catalix-cgi ends as soon as its client goes away.
# Usage: examples/serve.sh BUILD_DIR [PORT]   (port 8080 unless given)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
port="${2:-8080}"
fail() { echo "serve.sh: $1" >&2; exit 1; }
[[ "$port" =~ ^[0-9]{1,5}$ ]] && ((10#$port >= 1 && 10#$port <= 65535)) \
  || fail "the port is a number from 1 to 65535, not '$port'"
port=$((10#$port))
lighttpd="$(PATH="$PATH:/usr/sbin" command -v lighttpd)" \
  || fail "lighttpd is not installed (Debian package lighttpd)"
# Whatever takes a connection there is another server's.
answers() { (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; }
in_use() { fail "port $port is in use; give another: examples/serve.sh BUILD_DIR PORT"; }
! answers || in_use

serve="$(mktemp -d "${TMPDIR:-/tmp}/catalix-serve.XXXXXX")"
server=""
stop() {
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$serve"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
mkdir "$serve/site" "$serve/data" "$serve/uploads" "$serve/example"
chmod 700 "$serve/uploads"
cp "$build"/site/*.html "$build"/site/*.js "$build/catalix-cgi" "$serve/site/"
cp "$here/absrp_sys_list.dat" "$here/style.var" "$serve/data/"
# The example's results.html, which the pages' menus link to.
cp "$here/absrp_sys_list.dat" "$here/style.var" "$here/absrp_query.frm" "$serve/example/"
(cd "$serve/example" && "$build/catalix" >/dev/null && mv results.html "$serve/site/")
cat >"$serve/lighttpd.conf" <<CONF
server.modules = ( "mod_cgi", "mod_setenv" )
server.document-root = "$serve/site"
server.bind = "127.0.0.1"
server.port = $port
server.errorlog = "$serve/error.log"
server.max-request-size = 64
server.stream-response-body = 1
server.upload-dirs = ( "$serve/uploads" )
mimetype.assign = ( ".html" => "text/html; charset=utf-8", ".js" => "text/javascript; charset=utf-8" )
index-file.names = ( "query.html" )
cgi.assign = ( "/catalix-cgi" => "" )
setenv.add-environment = ( "CATALIX_DATA" => "$serve/data" )
setenv.set-response-header = ( "X-Content-Type-Options" => "nosniff" )
CONF
"$lighttpd" -D -f "$serve/lighttpd.conf" 2>"$serve/start.log" & server=$!
for ((tries = 0; ; ++tries)); do
  answers && break
  ((tries < 100)) || fail "lighttpd did not answer within 10 s; its log: $serve/error.log"
  if ! kill -0 "$server" 2>/dev/null; then
    wait "$server" || true
    server=""
    ! grep -q 'Address already in use' "$serve/start.log" || in_use
    cat "$serve/start.log" "$serve/error.log" >&2 2>/dev/null || true
    fail "lighttpd did not start"
  fi
  sleep 0.1
done
echo "The query form is http://127.0.0.1:$port/query.html (the server's folder: $serve; Ctrl-C stops it)"
wait "$server"
