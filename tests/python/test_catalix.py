"""The package catalix against the programs: query() against catalix-table csv,
read() against catalix-dump, the warnings against catalix-check's CX104, the
fuzz corpus, errors, and several catalogues in one process.
Run by ctest with CATALIX_BUILD and CATALIX_SOURCE set, the package on PYTHONPATH."""
import codecs, csv, io, json, math, os, random, re, shutil, struct, subprocess, sys, warnings
import numpy, pytest
import catalix
from astropy.io import registry
from astropy.table import Table

BUILD, SOURCE = os.environ["CATALIX_BUILD"], os.environ["CATALIX_SOURCE"]
sys.path.insert(0, os.path.join(SOURCE, "tests", "table"))
from generated import form, generate  # noqa: E402

WIDE = b"".join(b"v =%s\n" % v for v in b"-1e308 1e308 -1e308 1e308 -1e308 1e308 All -1e308 1e308 "
                b"-1e308 1e308 -1e308 1e308 -1e308 1e308".split())
codecs.register_error("each_byte", lambda e: ("\ufffd" * (e.end - e.start), e.end))


def input_of(case, name, reference, folder):
    """A case's input: its own file, or the shared one its reference names."""
    if os.path.isfile(os.path.join(case, name)):
        return open(os.path.join(case, name), "rb").read()
    if os.path.isfile(os.path.join(case, reference)):
        shared = open(os.path.join(case, reference)).read().strip()
        return open(os.path.join(SOURCE, "tests", folder, shared), "rb").read()
    return None


def cases():
    """(name, catalogue, form): the example, every case with a catalogue as a
    plain file, generated catalogues (some with a lost '$' or '='), the fuzz corpus."""
    found = [("example", *(open(os.path.join(SOURCE, "examples", f), "rb").read()
                          for f in ("absrp_sys_list.dat", "absrp_query.frm")))]
    e2e = os.path.join(SOURCE, "tests", "e2e")
    for name in sorted(os.listdir(e2e)):
        case = os.path.join(e2e, name)
        catalogue = input_of(case, "absrp_sys_list.dat", "catalogue", "catalogues")
        if catalogue is not None and not os.path.exists(os.path.join(case, "setup")):
            found.append((name, catalogue, input_of(case, "absrp_query.frm", "form", "forms") or WIDE))
    rng = random.Random(27)
    for k in range(24):
        catalogue = generate(rng, k % 4 == 3)
        for _ in range(k % 3):
            at = rng.choice([m.start() for m in re.finditer(rb"[$=]", catalogue)])
            catalogue = catalogue[:at] + b"x" * rng.choice([1, 1200]) + catalogue[at + 1:]
        found.append((f"generated{k}", catalogue, form(rng)))
    corpus = os.path.join(SOURCE, "fuzz", "corpus")
    forms = sorted(os.listdir(os.path.join(corpus, "query_form")))
    for i, name in enumerate(sorted(os.listdir(os.path.join(corpus, "catalogue")))):
        found.append((f"fuzz_{name}", open(os.path.join(corpus, "catalogue", name), "rb").read(),
                      open(os.path.join(corpus, "query_form", forms[i % len(forms)]), "rb").read()))
    return found


@pytest.fixture(params=cases(), ids=lambda c: c[0])
def case(request, tmp_path):
    _, catalogue, query_form = request.param
    (tmp_path / "absrp_sys_list.dat").write_bytes(catalogue)
    (tmp_path / "absrp_query.frm").write_bytes(query_form)
    return tmp_path


def run(program, folder, *args):
    done = subprocess.run([os.path.join(BUILD, program), *args], cwd=folder, capture_output=True)
    return done.stdout, done.stderr


def quietly(call, *args, **kwargs):
    with warnings.catch_warnings(record=True) as heard:
        warnings.simplefilter("always")
        result = call(*args, **kwargs)
    assert all(w.category is catalix.CatalogueWarning for w in heard)
    return result, [w.message for w in heard]


def bits(x):
    return struct.pack("<d", x)


def masks(table, name):
    column = table[name]
    return column.mask if hasattr(column, "mask") else [False] * len(column)


def test_answer_is_catalix_table_csv(case, capfd):
    answer, said = quietly(catalix.query, case / "absrp_sys_list.dat", form=case / "absrp_query.frm")
    table, messages = run("catalix-table", case, "csv")
    assert capfd.readouterr().out == ""  # nothing printed by the package
    assert messages.decode().splitlines() == [str(m) for m in said]
    rows = list(csv.reader(io.StringIO(table.decode("utf-8"), newline="")))
    assert rows[0] == answer.colnames and len(rows) - 1 == len(answer)
    for name, column in zip(rows[0], zip(*rows[1:])):
        for text, value, masked in zip(column, answer[name], masks(answer, name)):
            assert (text == "") == masked, (name, text, value)
            if text and answer[name].dtype.kind == "f":
                assert bits(float(text)) == bits(value), (name, text, value)
            elif text:
                assert text == str(value), name


def clean(text):
    """The tables' encoding rule, for the bytes of the dump."""
    return re.sub("[\x00-\x08\x0b\x0c\x0e-\x1f\ufffe\uffff]", "\ufffd", text.decode("utf-8", "each_byte"))


def dump_of(whole):
    """What catalix-dump writes for the tables: the numbers as read (under
    their masks), texts as the tables clean them."""
    g6, g10 = (lambda x: "%-12.6g" % x), (lambda x: "%-12.10g" % x)
    S, Y, E, L = ({c: list(numpy.ma.getdata(t[c])) for c in t.colnames}
                  for t in (whole.spectra, whole.systems, whole.intervals, whole.lines))
    out, e, l = [], 0, 0
    for y, no_notes in enumerate(masks(whole.systems, "notes")):
        key = (Y["spectrum"][y], Y["system"][y])
        if key[1] == 1:
            out.append(f"{S['qso_name'][key[0] - 1]}    {S['qso_label'][key[0] - 1]}\n")
        numbers = []
        while e < len(E["spectrum"]) and (E["spectrum"][e], E["system"][e]) == key:
            numbers.append([E[c][e] for c in ("lambda_min", "lambda_max", "resolution", "s_to_n")])
            e += 1
        numbers = numbers or [[-1] * 4]  # a block of one note line reads none
        out.append("".join(map(g10, numbers[0] + [Y["z_em"][y]])) + "    " + Y["caption"][y] + "\n")
        out += ["".join(map(g10, n)) + "\n" for n in numbers[1:]]
        notes = [] if no_notes else Y["notes"][y].split("\n")
        out.append(notes[0] + "\n" if Y["note_only"][y] else "".join(f"*{n}\n" for n in notes) + "\n")
        while l < len(L["spectrum"]) and (L["spectrum"][l], L["system"][l]) == key:
            out.append(g6(L["z_abs_written"][l]) + L["ion_written"][l] + "".join(g6(L[c][l]) for c in (
                "lambda_lab", "lambda_obs", "lambda_obs_err", "w_obs", "w_obs_err")) + L["remark"][l] + "\n")
            l += 1
    return "".join(out)


def test_whole_catalogue_is_catalix_dump(case):
    whole, said = quietly(catalix.read, case / "absrp_sys_list.dat")
    dump, _ = run("catalix-dump", case)
    lost = b"".join(b"%s\n" % str(m).encode() for m in said)
    assert dump.startswith(lost)
    # The tables drop the remark's '$', the dump keeps it; a NaN has no sign.
    shown = clean(dump[len(lost):]).replace("$", "").replace("-nan", "nan ")
    assert dump_of(whole).replace("$", "") == shown
    assert quietly(Table.read, case / "absrp_sys_list.dat", format="catalix")[0].pformat_all() == \
        whole.lines.pformat_all()


def test_warnings_are_placed_as_catalix_check_finds(case):
    _, said = quietly(catalix.read, case / "absrp_sys_list.dat")
    findings, _ = run("catalix-check", case, "--format=json", "--select=CX104", "absrp_sys_list.dat")
    places = [(f["line"], f["column"]) for f in map(json.loads, findings.splitlines())]
    assert [(m.lineno, m.column) for m in said] == places


def test_keywords_errors_and_many_catalogues(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    example = os.path.join(SOURCE, "examples")
    catalogue, query_form = (os.path.join(example, f) for f in ("absrp_sys_list.dat", "absrp_query.frm"))
    by_form = catalix.query(catalogue, form=query_form).pformat_all()
    (tmp_path / "lost.dat").write_bytes(b"! Q$ L\n%\n1 - 2 A R = 3 S/N = 4 $ z = 5 " + b"x" * 1200)
    words = dict(resolution=(0, 1e5), s_to_n=(0, 1000), z_abs=(1.5, 3.5), lambda_lab=(0, 3000),
                 lambda_obs=(0, 1e4), w_obs=(0, 5), log_n=(12, 22))
    for call, fault, what in [
            ((catalix.read, "nowhere.dat"), FileNotFoundError, "error of reading nowhere.dat"),
            ((catalix.query, tmp_path), IsADirectoryError, "error of reading"),
            ((catalix.query, catalogue, "nowhere.frm"), FileNotFoundError, "error of opening file nowhere.frm"),
            ((catalix.query, catalogue, query_form, words), TypeError, "not both"),
            ((catalix.query, catalogue, None, dict(z_abs=(3.5, 1.5))), ValueError, "Absorption redshift: the lower"),
            ((catalix.query, catalogue, None, dict(w_obs=(math.nan, 1))), ValueError, "Equivalent width, lower"),
            ((catalix.query, catalogue, None, dict(log_n=(1, "2"))), TypeError, "Column density, upper"),
            ((catalix.query, catalogue, None, dict(z_abs=3)), TypeError, "z_abs: an interval is a pair"),
            ((catalix.query, catalogue, None, dict(ion="C\x01")), ValueError, "control character"),
            ((catalix.query, catalogue, None, dict(ion="C" * 99)), ValueError, "longer than 98"),
            ((catalix.query, catalogue, None, dict(z=(1, 2))), TypeError, "unexpected keyword argument 'z'")]:
        with pytest.raises(fault, match=re.escape(what)):
            call[0](*call[1:3], **(call[3] if len(call) > 3 else {}))
        with warnings.catch_warnings():
            warnings.simplefilter("error")  # as astropy users run; our warnings raise
            with pytest.raises(catalix.CatalogueWarning, match="stop_signal '\\$' lost"):
                catalix.read("lost.dat")
        assert catalix.query(catalogue, **words).pformat_all() == by_form  # nothing left behind
    every = catalix.query(catalogue, ion=None)
    assert catalix.query(catalogue, ion=" CIV ").pformat_all() == every[every["ion"] == "CIV"].pformat_all()
    whole = catalix.read(catalogue)
    merged = whole.lines.to_pandas().merge(whole.systems.to_pandas(), on=["spectrum", "system"])
    assert len(merged) == len(whole.lines) == len(every) and list(merged.z_em) == list(every["z_em"])
    assert registry.identify_format("read", Table, catalogue, None, [], {}) == ["catalix"]
    assert registry.identify_format("read", Table, query_form, None, [], {}) == []
    assert sorted(os.listdir(tmp_path)) == ["lost.dat"] and os.getcwd() == str(tmp_path)


def test_example_draws_its_picture(tmp_path):
    pytest.importorskip("matplotlib", reason="no matplotlib (Debian package python3-matplotlib)")
    script = os.path.join(SOURCE, "examples", "python", "lines_by_redshift.py")
    subprocess.run([sys.executable, script, os.path.join(SOURCE, "examples", "absrp_sys_list.dat"),
                    tmp_path / "lines.png"], check=True, capture_output=True)
    assert (tmp_path / "lines.png").read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
