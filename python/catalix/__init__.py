"""A catalogue of quasar absorption-line systems as astropy tables.

The catalogue is read by catalix's own reader and the query answered by its
own selection, compiled into this package, so a table holds exactly what the
programs read: the same rows, values and missing cells as ``catalix-table
csv`` writes for the same files.

    import catalix
    civ = catalix.query("absrp_sys_list.dat", z_abs=(1.5, 3.5), ion="CIV")
    whole = catalix.read("absrp_sys_list.dat")  # .spectra .systems .intervals .lines
    lines = Table.read("absrp_sys_list.dat", format="catalix")  # whole.lines

Numbers are float64 with units (wavelengths and widths in Angstrom; ``log_n``
is the decimal logarithm of the column density N in cm^-2, with the unit
``dex(cm-2)``).  A number the catalogue does not give, or gives as a symbol
("nd", "no line list", ...), is masked; the ``symbols`` column names each
symbol as ``column:symbol`` (``w_obs:nd``), so ``"w_obs:nd" in row["symbols"]``
finds the lines not detected.  Under a mask lies the number as read (-1, or
the symbol's reserved value).  Texts are Python str (numpy object columns,
as astropy's VOTable reader gives them), masked where empty; to write a table
to FITS or a VOTable, first make them fixed width: ``t[c] = t[c].astype(str)``.

The reader's messages ("file read message: stop_signal '$' lost") become
CatalogueWarning warnings that carry the file, line and byte column where
the search for the lost character began, the place catalix-check reports as
CX104; nothing is printed.  A file that cannot be read raises OSError with
the program's message, a bad keyword interval ValueError or TypeError.
Nothing is written and the working directory is left alone.
"""

import os

from catalix import _catalix
from catalix._tables import CatalogueWarning, build_table, check_intervals, emit_warnings

__all__ = ["query", "read", "Catalogue", "CatalogueWarning"]


def query(catalogue, form=None, **intervals):
    """The answer of a query against `catalogue` as an astropy Table.

    One row for each selected line of each selected system of each selected
    spectrum, in the order of the results page, with the columns of
    catalix-table: qso_name, qso_label, system, z_em, z_abs, ion,
    lambda_lab, lambda_obs, lambda_obs_err, w_obs, w_obs_err, log_n, symbols
    and remark.

    The query is a form file, `form` (as absrp_query.frm), or keyword
    intervals, each a pair (lower, upper) with None for an open end:
    resolution, s_to_n, z_abs, lambda_lab, lambda_obs, w_obs (Angstrom),
    log_n, and ion, a name or system type ("CIV"; None, the default, or a
    name beginning with "All" asks for every line).  Intervals not given are
    open.  The counts of selected and of all spectra and the query's fifteen
    values are in the table's meta.
    """
    path = _path(catalogue)
    if form is not None:
        if intervals:
            raise TypeError("query() takes a form or keyword intervals, not both")
        answer = _catalix.query(path, _path(form), [], b"")
    else:
        bounds, ion = check_intervals(intervals)
        answer = _catalix.query(path, None, bounds, ion)
    emit_warnings(answer["messages"])
    bounds, ion = answer["query"]
    meta = {"catalogue": os.fsdecode(path),
            "selected_spectra": answer["selected_spectra"],
            "all_spectra": answer["all_spectra"],
            "query": _query_values(bounds, ion)}
    return build_table(answer["columns"], meta)


class Catalogue:
    """A whole catalogue as read: four astropy Tables joined by keys.

    spectra    spectrum, qso_name, qso_label
    systems    spectrum, system, z_em, caption, notes (the note lines, one
               per line, without their '*'), note_only (a header block of
               one note line: no interval, emission redshift or caption),
               symbols
    intervals  spectrum, system, interval, lambda_min, lambda_max,
               resolution, s_to_n, w_min (the minimum equivalent width where
               the interval's label gives one in place of S/N), symbols
    lines      spectrum, system, line, z_abs and ion in force (written on
               the line or carried from the line above), z_abs_written and
               ion_written (as the line writes them), lambda_lab,
               lambda_obs, lambda_obs_err, w_obs, w_obs_err, log_n,
               symbols, remark

    `spectrum` counts from 1 in file order, `system` from 1 within its
    spectrum, `interval` and `line` from 1 within their system; so
    ``lines.to_pandas().merge(systems.to_pandas(), on=["spectrum", "system"])``
    gives each line its system's z_em.
    """

    def __init__(self, path, tables):
        self.path = path
        self.spectra, self.systems, self.intervals, self.lines = tables

    def __repr__(self):
        counts = ", ".join(f"{len(getattr(self, name))} {name}" for name in _LEVELS)
        return f"<catalix.Catalogue {self.path!r}: {counts}>"


def read(catalogue):
    """The whole catalogue at path `catalogue` as a Catalogue."""
    path = _path(catalogue)
    whole = _catalix.read(path)
    emit_warnings(whole["messages"])
    name = os.fsdecode(path)
    return Catalogue(name, [build_table(whole[level], {"catalogue": name}) for level in _LEVELS])


def _path(name):
    """A path's bytes, as the C library opens it."""
    path = os.fsencode(os.fspath(name))
    if b"\0" in path:
        raise ValueError("embedded null byte")
    return path


_LEVELS = ("spectra", "systems", "intervals", "lines")
def _query_values(bounds, ion):
    """The query's fifteen values by their names in the form."""
    values = iter(bounds)
    return {name: ion.decode("utf-8", "replace") if role == "name" else next(values)
            for name, role, _ in _catalix.query_fields}


from catalix import _registry  # noqa: E402  (Table.read(..., format="catalix"))
