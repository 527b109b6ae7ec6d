"""What the package makes of the extension module's columns: astropy tables
with units and descriptions, warnings, and the keyword intervals checked."""

import math
import numbers
import os
import warnings

try:
    import astropy.units as u
    from astropy.table import Column, MaskedColumn, Table
except ImportError as missing:  # pragma: no cover
    raise ImportError("catalix needs astropy (Debian package python3-astropy)") from missing

from catalix import _catalix


class CatalogueWarning(UserWarning):
    """A message of the reader, "file read message: stop_signal 'X' lost":
    the character X was not found within 1000 characters, and reading went
    on from where the search stopped.  `filename`, `lineno` and `column`
    (counted in bytes from 1) say where the search began."""

    def __init__(self, message, filename=None, lineno=0, column=0):
        super().__init__(message)
        self.filename, self.lineno, self.column = filename, lineno, column


def emit_warnings(messages):
    """Each of the reader's messages (file as bytes, text, line, column) as a
    CatalogueWarning at its place."""
    for file, text, line, column in messages:
        name = os.fsdecode(file)
        warnings.warn_explicit(CatalogueWarning(text, name, line, column), CatalogueWarning,
                               name, line)


def _unit(text):
    """An astropy unit of the VOTable 1.3 syntax the line table uses, where
    "[unit]" is the decimal logarithm of the unit."""
    if text in ("", "---"):
        return None
    if text.startswith("[") and text.endswith("]"):
        return u.dex(u.Unit(text[1:-1]))
    return u.Unit(text)


# Units and descriptions: the line table's own, and those of the columns
# that only the whole catalogue's tables have.
_COLUMNS = {name: (_unit(unit), description) for name, unit, description in _catalix.line_columns}
_COLUMNS.update({
    "spectrum": (None, "Number of the spectrum in the catalogue, in file order, from 1"),
    "interval": (None, "Number of the observed interval within its system's header, from 1"),
    "line": (None, "Number of the line record within its system's line list, from 1"),
    "z_abs_written": (None, "Absorption redshift as the line writes it (missing where it is left blank)"),
    "ion_written": (None, "Ion name or system type as the line writes it (missing where it is left blank)"),
    "caption": (None, "Caption of the system's header"),
    "notes": (None, "Note lines of the system's header, one per line, without their '*'"),
    "note_only": (None, "The header is a single note line: no interval, emission redshift or caption"),
    "lambda_min": (u.AA, "Start of the observed wavelength interval"),
    "lambda_max": (u.AA, "End of the observed wavelength interval"),
    "resolution": (None, "Spectral resolution R"),
    "s_to_n": (None, "Mean signal-to-noise ratio (missing where the interval gives a minimum width)"),
    "w_min": (u.AA, "Minimum equivalent width, where the interval gives one in place of S/N"),
})


def build_table(columns, meta):
    """A Table of the module's (name, values, mask or None) triples, without
    copying their arrays; a column is masked only where a value is missing."""
    made = []
    for name, values, mask in columns:
        unit, description = _COLUMNS[name]
        if mask is None:
            made.append(Column(values, name=name, unit=unit, description=description, copy=False))
        else:
            made.append(MaskedColumn(values, name=name, mask=mask, unit=unit,
                                     description=description, copy=False))
    return Table(made, meta=meta, copy=False)


# The keyword intervals in the order of the form file, with the form's words.
# query()'s keywords for the intervals, in the form's order; each one's words
# come from the programs' one table of the query's fields.
_KEYWORDS = ("resolution", "s_to_n", "z_abs", "lambda_lab", "lambda_obs", "w_obs", "log_n")
_LABELS = tuple(quantity for _, role, quantity in _catalix.query_fields if role == "lower")
if len(_LABELS) != len(_KEYWORDS):  # pragma: no cover
    raise ImportError("catalix: the module's intervals are not the package's keywords")
_INTERVALS = tuple(zip(_KEYWORDS, _LABELS))
_ION_LIMIT = 98  # bytes, with the blank that ends the name in a form file


def _bound(value, label, end):
    if value is None:
        return -math.inf if end == "lower" else math.inf
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{label}, {end} bound is not a number: {value!r}")
    if math.isnan(value):
        raise ValueError(f"{label}, {end} bound is not a number: {value!r}")
    return float(value)


def _ion_name(ion):
    """The name's bytes as a form file holds a name that ends there."""
    if ion is None:
        return b"All"
    if isinstance(ion, str):
        ion = ion.encode("utf-8")
    if not isinstance(ion, bytes):
        raise TypeError(f"Ion name or system type is not a text: {ion!r}")
    ion = ion.strip(b" \t\n\v\f\r")
    if len(ion) > _ION_LIMIT:
        raise ValueError(f"Ion name or system type is longer than {_ION_LIMIT} characters")
    if any(b < 0x20 or b == 0x7F for b in ion):
        raise ValueError("Ion name or system type holds a control character")
    return ion + b" "


def check_intervals(intervals):
    """The bounds and the ion name of keyword intervals; TypeError
    or ValueError, naming the field as the query form does, for a bad one."""
    intervals = dict(intervals)
    ion = _ion_name(intervals.pop("ion", None))
    bounds = []
    for name, label in _INTERVALS:
        pair = intervals.pop(name, (None, None))
        if isinstance(pair, (str, bytes)) or not hasattr(pair, "__len__") or len(pair) != 2:
            raise TypeError(f"{name}: an interval is a pair (lower, upper), None for an open end")
        lower, upper = _bound(pair[0], label, "lower"), _bound(pair[1], label, "upper")
        if lower > upper:
            raise ValueError(f"{label}: the lower bound is above the upper bound: "
                             "no value lies between them")
        bounds += [lower, upper]
    if intervals:
        raise TypeError(f"query() got an unexpected keyword argument {next(iter(intervals))!r}")
    return bounds, ion
