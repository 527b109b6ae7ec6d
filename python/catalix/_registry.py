"""Table.read(path, format="catalix"): the lines of a whole catalogue, as
catalix.read(path).lines; and the identifier that lets Table.read(path)
recognise a catalogue without being told."""

import io
import os
import re

from astropy.io import registry
from astropy.table import Table

import catalix

# A catalogue starts with a spectrum: an opening character, the quasar's
# name up to '$', a label; its first header line holds an interval, R and
# S/N up to '$', and the emission redshift up to a second '$'.
_FIRST_LINE = re.compile(rb"\A\S[ \t]*[^\n$]{1,99}\$")
_HEADER_LINE = re.compile(rb"\n[ \t%]*[-+.0-9][^\n]*=[^\n]*=[^\n]*\$[^\n]*=[^\n]*\$")


def _read_lines(catalogue):
    # Where astropy recognised the file it hands over the file it opened,
    # which is read again by its name.
    if isinstance(catalogue, (io.BufferedReader, io.FileIO)) and isinstance(catalogue.name, (str, bytes)):
        catalogue = catalogue.name
    if not isinstance(catalogue, (str, bytes, os.PathLike)):
        raise TypeError("format 'catalix' reads a catalogue by its path")
    return catalix.read(catalogue).lines


def _is_catalogue(origin, path, fileobj, *args, **kwargs):
    # A regular file only: a pipe would never end.
    if origin != "read" or not isinstance(path, (str, bytes, os.PathLike)) or not os.path.isfile(path):
        return False
    try:
        with open(path, "rb") as file:
            start = file.read(4096)
    except OSError:
        return False
    return bool(_FIRST_LINE.match(start) and _HEADER_LINE.search(start))


registry.register_reader("catalix", Table, _read_lines, force=True)
registry.register_identifier("catalix", Table, _is_catalogue, force=True)
