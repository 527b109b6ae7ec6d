"""catalix-table against catalix: on bundled and generated inputs, the VOTable
must pass astropy's strict parser (and stilts votlint where installed), and the
VOTable and the CSV must hold one row per line row of results.html with the
values the page shows.  Usage: check_tables.py BUILD_DIR SOURCE_DIR"""
import io, os, random, re, shutil, subprocess, sys, tempfile, warnings
import numpy
from generated import form, generate
try:
    from astropy.io import ascii
    from astropy.io.votable import parse
    from astropy.table import QTable, Table
except ImportError:
    print("SKIP: astropy is missing (Debian package python3-astropy)"); sys.exit(77)

build, source = map(os.path.abspath, sys.argv[1:3])
VOTLINT = shutil.which("stilts")
NUMERIC = ["z_em", "z_abs", "lambda_lab", "lambda_obs", "lambda_obs_err", "w_obs", "w_obs_err", "log_n"]
failures, total_rows = [], [0]

def run(program, work, *args):
    done = subprocess.run([os.path.join(build, program), *args], cwd=work, capture_output=True)
    return done.returncode, done.stdout, done.stderr

def clean(raw):  # the tables' encoding rule, for texts taken from the page
    text = raw.decode("utf-8", "replace")
    return re.sub("[\x00-\x08\x0b\x0c\x0e-\x1f\ufffe\uffff]", "\ufffd", text).strip()

def page_rows(page):
    """(spectrum, block, cells) for every line row, the cells as bytes."""
    rows, spectrum, block = [], None, 0
    pattern = re.compile(rb'<th>\n(.*?)</th>\n<th>\n(.*?)</th>\n|Z<sub>em</sub> = ([^<]*)</td>|'
                         rb'<td colspan=8>|<tr (?: bgcolor="[^"]*")? align="[^"]*">\n<td>(?!\n|z<sub>)', re.S)
    pos = 0
    while (m := pattern.search(page, pos)):
        pos = m.end()
        if m.group(1) is not None:
            spectrum, z_em = (m.group(1), m.group(2)), None
        elif m.group(3) is not None:
            z_em = m.group(3)
        elif m.group(0).startswith(b"<td colspan"):
            block, z_em = block + 1, None
        else:
            cells = page[pos:].split(b"</td>\n<td>", 7)
            rows.append((spectrum, z_em, block, cells[:7] + [cells[7].split(b"</td>\n</tr>\n")[0]]))
    selected = re.search(rb'There are <font color="#800080">(\d+)', page)
    total = re.search(rb'Total number of QSO spectra is <font color="#800080">(\d+)', page)
    return rows, {"selected_spectra": int(selected[1]) if selected else 0, "all_spectra": int(total[1])}

def agree(what, shown, value, symbols, column):
    """The page's text of a number against the table's value."""
    text = shown.decode("latin-1").strip()
    if text == "":  # not given
        ok = value is None
    elif re.fullmatch(r"-?([0-9.]+(e[-+][0-9]+)?|nan|inf)", text):
        ok = value is not None and "%.10g" % value == text
    else:
        ok = value is None and f"{column}:{text}" in symbols
    if not ok: failures.append(f"{what} {column}: page shows {shown!r}, table has {value!r}")

def text(cell):
    return "" if numpy.ma.is_masked(cell) else str(cell).strip()

def value(cell):
    return None if text(cell) == "" else float(cell)

def same_messages(page_out, errors):
    """catalix reads the style file first; its messages come before the rest."""
    style = page_out[:len(page_out) - len(errors)].splitlines()
    return page_out.endswith(errors) and not set(style) - {b"error of opening file style.var",
                                                         b"file read message: stop_signal '=' lost"}

def check_case(name, work, lint):
    status, page_out, _ = run("catalix", work)
    table_status, vot, errors = run("catalix-table", work)
    csv_status, csv, _ = run("catalix-table", work, "csv")
    tsv_status, tsv, _ = run("catalix-table", work, "tsv")
    if (status, table_status, csv_status, tsv_status) != (0, 0, 0, 0):
        return failures.append(f"{name}: exit status {status}, {table_status}, {csv_status}, {tsv_status}")
    if not same_messages(page_out, errors):
        failures.append(f"{name}: messages differ: {errors!r} against {page_out!r}")
    rows, counts = page_rows(open(os.path.join(work, "results.html"), "rb").read())
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        votable = parse(io.BytesIO(vot), verify="exception")
        table = votable.get_first_table().array
        lines = ascii.read(csv.decode("utf-8"), format="csv",
                           converters={"*": [ascii.convert_numpy(str)]})
        tabs = ascii.read(tsv.decode("utf-8"), format="tab", converters={"*": [ascii.convert_numpy(str)]})
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # a unit that astropy cannot carry warns
        for reader in (Table, QTable): reader.read(io.BytesIO(vot), format="votable")
    infos = {i.name: int(i.value) for i in votable.resources[0].infos if i.name != "QUERY_STATUS"}
    if infos != counts:
        failures.append(f"{name}: counts {infos} against the page's {counts}")
    if not (len(rows) == len(table) == len(lines)) or [list(map(text, r)) for r in lines] != [list(map(text, r)) for r in tabs]:
        return failures.append(f"{name}: {len(rows)} page rows, {len(table)} VOTable rows, {len(lines)} CSV rows, TSV other")
    if VOTLINT and lint:  # a second a run: a sample of the cases
        lint = subprocess.run([VOTLINT, "votlint", "-"], input=vot, capture_output=True).stdout.strip()
        if lint: failures.append(f"{name}: votlint: {lint.decode()[:500]}")
    last, total_rows[0] = None, total_rows[0] + len(rows)
    for i, ((spectrum, z_em, block, cells), row, line) in enumerate(zip(rows, table, lines)):
        what = f"{name} row {i + 1}"
        symbols = text(row["symbols"])
        for column in list(table.dtype.names):
            v, c = row[column], line[column]
            same = (value(v) == value(c) or value(v) != value(v) and value(c) != value(c)) if column in NUMERIC \
                else text(v) == text(c)
            if not same: failures.append(f"{what} {column}: VOTable {v!r}, CSV {c!r}")
        for column, raw in (("qso_name", spectrum[0]), ("qso_label", spectrum[1]), ("ion", cells[1]), ("remark", cells[7])):
            if clean(raw) != text(row[column]): failures.append(f"{what} {column}: page {raw!r}, table {row[column]!r}")
        get = lambda column: value(row[column])
        if z_em is not None: agree(what, z_em, get("z_em"), symbols, "z_em")
        if cells[0].strip(): agree(what, cells[0], get("z_abs"), symbols, "z_abs")
        if cells[2]: agree(what, cells[2][1:-1], get("lambda_lab"), symbols, "lambda_lab")
        agree(what, cells[3], get("lambda_obs"), symbols, "lambda_obs")
        agree(what, cells[4], get("lambda_obs_err"), symbols, "lambda_obs_err")
        if cells[5].startswith(b"N"): agree(what, cells[5][1:], get("log_n"), symbols, "log_n")
        else: agree(what, cells[5], get("w_obs"), symbols, "w_obs")
        agree(what, cells[6], get("w_obs_err"), symbols, "w_obs_err")
        # A new system block of the page is a new system number, or a new spectrum.
        key = (spectrum, block)
        if last is not None and (key == last[0]) != (int(row["system"]) == last[1] and str(row["qso_name"]) == last[2]):
            failures.append(f"{what}: system {row['system']} does not follow the page's blocks")
        last = (key, int(row["system"]), str(row["qso_name"]))

with tempfile.TemporaryDirectory() as scratch:
    cases = [("examples", os.path.join(source, "examples"))]
    e2e = os.path.join(source, "tests", "e2e")
    cases += [(d, os.path.join(e2e, d)) for d in sorted(os.listdir(e2e)) if d.startswith(("page_", "table_"))
              and open(os.path.join(e2e, d, "status")).read().strip() == "0"]
    for name, folder in cases:
        work = os.path.join(scratch, name)
        os.mkdir(work)
        subprocess.run(["bash", os.path.join(source, "tests", "case_inputs.sh"), folder, work], check=True)
        check_case(name, work, not name.startswith("page_"))
    rng = random.Random(20260607)
    for k in range(int(os.environ.get("CATALIX_TABLE_CASES", "40"))):
        work = os.path.join(scratch, f"generated{k}")
        os.mkdir(work)
        open(os.path.join(work, "absrp_sys_list.dat"), "wb").write(generate(rng, k % 5 == 4))
        open(os.path.join(work, "absrp_query.frm"), "wb").write(form(rng))
        check_case(f"generated{k}", work, k % 5 == 0)
    # Missing inputs: catalix's messages (on standard error) and status, no table.
    for name, inputs in (("no form", []), ("no catalogue", ["absrp_query.frm"])):
        work = os.path.join(scratch, name)
        os.mkdir(work)
        for f in inputs: shutil.copy(os.path.join(source, "examples", f), work)
        want, got = run("catalix", work), run("catalix-table", work, "csv")
        if got[:2] != (want[0], b"") or not same_messages(want[1], got[2]):
            failures.append(f"{name}: catalix-table gives {got}, catalix {want[:2]}")
    print(f"{len(cases) + k + 3} cases, {total_rows[0]} line rows; votlint {'run' if VOTLINT else 'not installed (Debian package stilts): skipped'}")
for f in failures[:40]: print("FAIL", f)
sys.exit(1 if failures else 0)
