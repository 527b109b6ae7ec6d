# Sourced: to_crlf FILE writes FILE to standard output with every LF turned
# into CR LF, which is what a Windows program writes in text mode.
to_crlf() {
  perl -pe 's/\n/\r\n/g' "$1"
}
