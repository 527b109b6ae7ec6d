#!/usr/bin/env python3
"""catalix-cgi as a DALI service behind lighttpd, as pyvo and astropy use it:
each query's rows are those of the form's table for the same values (which
the table test holds to the page), an overflow shows in pyvo's status and in
the tables' header, an error raises DALQueryError with the message; every
VOTable answer is read by astropy with warnings as errors (and passes
votlint where stilts is installed); RESPONSEFORMAT's types, the page, HEAD,
304 and CATALIX_MAXREC.  Usage: check_dali.py CGI_URL BUILD_DIR DATA_DIR"""
import io, os, re, shutil, subprocess, sys, urllib.error, urllib.parse, urllib.request, warnings
try:
    from astropy.io.votable import parse
    from astropy.table import QTable, Table
    from pyvo.dal import DALQuery, DALQueryError
except ImportError as missing:
    print(f"SKIP: {missing.name} is missing (Debian packages python3-pyvo, python3-astropy)"); sys.exit(77)

cgi, build, data = sys.argv[1:4]
VOTLINT, failures = shutil.which("stilts"), []
WIDE = "-1e300 1e300"  # as wide as -Inf +Inf for the example catalogue, and a form can send it

def check(ok, what):
    if not ok: failures.append(what)

def get(query, method="GET", headers=None):
    request = urllib.request.Request(cgi + "?" + urllib.parse.urlencode(query), method=method, headers=headers or {})
    try:
        answer = urllib.request.urlopen(request)
    except urllib.error.HTTPError as refusal:
        answer = refusal
    with answer:
        return answer.status, answer.headers, answer.read()

def strict(vot, what, lint=False):
    """astropy reads the VOTable without a warning, votlint (a second a run) finds nothing."""
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        parse(io.BytesIO(vot), verify="exception")
        if b"<TABLE" in vot:
            Table.read(io.BytesIO(vot), format="votable"), QTable.read(io.BytesIO(vot), format="votable")
    if VOTLINT and lint:
        lint = subprocess.run([VOTLINT, "votlint", "-"], input=vot, capture_output=True).stdout.strip()
        check(not lint, f"{what}: votlint: {lint[:300]!r}")

def rows(vot): return re.findall(rb"<TR>.*</TR>", vot)

def as_form(dali):
    """The form's values for a DALI query, its intervals left out as wide; and the DALI query with them all."""
    given, values, whole = {k.upper(): v for k, v in dali.items()}, {}, {}
    for quantity, names in (("RESOLUTION", "resolution"), ("SNR", "s_to_n"), ("Z_ABS", "z_abs"),
                            ("LAMBDA_LAB", "rest_wv"), ("LAMBDA_OBS", "obs_wv"), ("W_OBS", "width"), ("LOG_N", "col_dens")):
        whole[quantity] = re.sub("(?i)inf", "1e300", given.get(quantity, WIDE))
        values["min_" + names], values["max_" + names] = whole[quantity].split()
    values["ion_name"] = whole["ION"] = given.get("ION", "All")
    return values, whole

def form_answer(dali, fmt): return get(dict(as_form(dali)[0], format=fmt))[2]

def pyvo_query(params):
    """pyvo's results and their table; no warning but pyvo's own unclosed sockets."""
    with warnings.catch_warnings(record=True) as said:
        warnings.simplefilter("always")
        results = DALQuery(cgi, **params).execute()
        table = results.to_table()
    check(all(w.category is ResourceWarning for w in said), f"{params}: pyvo warns {[str(w.message) for w in said]}")
    return results, table

QUERIES = [{}, {"Z_ABS": "1.5 3.5", "ION": "CIV"}, {"z_abs": "2 +Inf", "lambda_obs": "-inf 6000", "Ion": "MgII"},
           {"W_OBS": "0 0.3", "LOG_N": "12 22", "SNR": "10 1000"}, {"RESOLUTION": "0 30000", "ION": "FeII"},
           {"ION": "DLA", "Z_ABS": "-Inf +Inf"}, {"ION": "NoSuchIon"}]
for params in QUERIES:
    results, table = pyvo_query(params)
    status, head, vot = get(params)
    want = rows(form_answer(params, "votable"))
    check(results.status[0] == "OK" and len(results) == len(table) == len(want) and rows(vot) == want,
          f"{params}: {results.status} {len(results)} rows, the form's {len(want)}")
    strict(vot, params, params == QUERIES[1])
    page = get(dict(as_form(params)[1], RESPONSEFORMAT="html"))
    check(page[2] == form_answer(params, "html") and page[1]["Content-Type"] == "text/html; charset=UTF-8",
          f"{params}: the page is not the form's")
print(f"{len(QUERIES)} queries: pyvo's rows are the form's; astropy reads each without a warning; the page is the form's")

everything = rows(get({})[2])
for limit in (0, 2, len(everything)):
    results, table = pyvo_query({"MAXREC": limit})
    status, head, vot = get({"MAXREC": limit})
    strict(vot, f"MAXREC={limit}", limit < 3)
    want = "OVERFLOW" if limit < len(everything) else "OK"
    check(results.status[0] == want and rows(vot) == everything[:limit] and head["Catalix-Query-Status"] == want,
          f"MAXREC={limit}: {results.status}, {len(rows(vot))} rows, header {head['Catalix-Query-Status']}")
    for fmt, kind, sep in (("csv", "text/csv; charset=UTF-8; header=present", b"\r\n"), ("tsv", "text/tab-separated-values; charset=UTF-8", b"\n")):
        status, head, body = get({"MAXREC": limit, "RESPONSEFORMAT": fmt})
        check((status, head["Content-Type"], head["Catalix-Query-Status"], body.count(sep)) == (200, kind, want, limit + 1),
              f"MAXREC={limit} as {fmt}: {status} {dict(head)} {body.count(sep)} lines")
print(f"MAXREC: at most that many rows, OVERFLOW before the table and in the header of CSV and TSV")

for params, message in (({"Z_ABS": "3 2"}, 'Z_ABS has its lower bound above its upper bound: "3 2".'),
                        ({"ION": "CIV", "FOO": "1"}, '"FOO" is no parameter of this service'),
                        ({"MAXREC": "-1"}, 'MAXREC is not a whole number of rows: "-1".'),
                        ({"RESPONSEFORMAT": "fits"}, "RESPONSEFORMAT is none of votable, csv, tsv, html")):
    try:
        pyvo_query(params)
        check(False, f"{params}: no DALQueryError")
    except DALQueryError as error:
        check(str(error).startswith(message), f"{params}: DALQueryError {error}")
    status, head, vot = get(params)
    check(status == 400 and head["Cache-Control"] == "no-store", f"{params}: {status} {dict(head)}")
    strict(vot, params, "FOO" in params)
status, head, body = get({"RESPONSEFORMAT": "csv", "SNR": "x"})
check((status, head["Content-Type"]) == (400, "text/plain; charset=UTF-8") and body.startswith(b"SNR is not an interval"),
      f"a CSV request's error: {status} {dict(head)} {body!r}")
print("errors: 400 and QUERY_STATUS ERROR, raised by pyvo as DALQueryError with the message")

for fmt, kind in (("votable", "application/x-votable+xml"), ("application/x-votable+xml", "application/x-votable+xml"),
                  ("text/xml", "text/xml"), ("TEXT/CSV", "text/csv"), ("text/tab-separated-values", "text/tab-separated-values")):
    status, head, body = get({"RESPONSEFORMAT": fmt})
    check(status == 200 and head["Content-Type"].startswith(kind + "; charset=UTF-8"), f"{fmt}: {dict(head)}")
status, head, body = get({"ION": "CIV"})
check(get({"ION": "CIV"}, "HEAD")[1]["ETag"] == head["ETag"]
      and get({"ION": "CIV"}, headers={"If-None-Match": head["ETag"]})[0] == 304
      and get({"ION": "MgII"}, headers={"If-None-Match": head["ETag"]})[0] == 200, "HEAD and 304: no")

def by_hand(maxrec):
    env = dict(REQUEST_METHOD="GET", QUERY_STRING="", CATALIX_DATA=data, CATALIX_MAXREC=maxrec)
    return subprocess.run([os.path.join(build, "catalix-cgi")], env=env, capture_output=True).stdout
check(rows(by_hand("3")) == everything[:3] and b'value="OVERFLOW"' in by_hand("3"), "CATALIX_MAXREC=3")
check(by_hand("x").startswith(b"Status: 500") and b'value="ERROR"' in by_hand("x"), "CATALIX_MAXREC=x")
print(f"RESPONSEFORMAT's types, HEAD, 304, CATALIX_MAXREC; votlint {'run' if VOTLINT else 'not installed (Debian package stilts)'}")
for f in failures[:30]: print("FAIL", f)
sys.exit(1 if failures else 0)
