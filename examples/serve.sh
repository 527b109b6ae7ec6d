#!/usr/bin/env bash
# Serves the bundled example on 127.0.0.1 with lighttpd: the site's pages,
# the query form and catalix-cgi, answering from the example catalogue.
# Prints the form's address; the server runs until Ctrl-C.
# Usage: examples/serve.sh BUILD_DIR [PORT]   (port 8080 unless given)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
port="${2:-8080}"
lighttpd="$(PATH="$PATH:/usr/sbin" command -v lighttpd)" \
  || { echo "lighttpd is not installed (Debian package lighttpd)" >&2; exit 1; }
# The pages and the example's results.html, which the pages' menus link to.
"$here/demo.sh" "$build" >/dev/null
serve="$build/serve"
rm -rf "$serve"
mkdir -p "$serve/site" "$serve/data"
cp "$build"/demo/*.html "$build/catalix-cgi" "$serve/site/"
cp "$here/absrp_sys_list.dat" "$here/style.var" "$serve/data/"
cat >"$serve/lighttpd.conf" <<CONF
server.modules = ( "mod_cgi", "mod_setenv" )
server.document-root = "$serve/site"
server.bind = "127.0.0.1"
server.port = $port
server.errorlog = "$serve/error.log"
mimetype.assign = ( ".html" => "text/html" )
index-file.names = ( "query.html" )
cgi.assign = ( "/catalix-cgi" => "" )
setenv.add-environment = ( "CATALIX_DATA" => "$serve/data" )
CONF
echo "The query form is http://127.0.0.1:$port/query.html (the server's log: $serve/error.log)"
exec "$lighttpd" -D -f "$serve/lighttpd.conf"
