"""One timed call of the Python package in a fresh interpreter, for bench/run.sh:
    python_tables.py query   the all-lines answer of absrp_query.frm into a Table
    python_tables.py read    the whole catalogue's four tables
run in the folder of the catalogue, with the package on PYTHONPATH.  Prints
the call's seconds, the growth of the peak resident memory over the call (Linux) and
the memory of the tables' arrays (their data and masks, and each distinct
text object once), in bytes.  The imports and a first call on a small
catalogue come before, so that only the call itself is measured."""
import sys
import tempfile
import time

import catalix
import numpy

EXAMPLE = b"! Q$ L\n%\n3000 - 9000 A R = 4 S/N = 5 $ z = 2 $ c\n%\n1.5$CIV{1548.2} 3870.5 0.1 0.2 0.01 r\n_\n#\n"


def memory(field):
    """VmRSS (resident now) or VmHWM (its peak) from /proc, in bytes."""
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1]) * 1024
    raise RuntimeError(f"no {field} in /proc/self/status")


def array_bytes(tables):
    total, seen = 0, set()
    for table in tables:
        for column in table.itercols():
            values = numpy.ma.getdata(column)
            total += values.nbytes + (column.mask.nbytes if hasattr(column, "mask") else 0)
            if column.dtype.kind == "O":
                for text in values:
                    if id(text) not in seen:
                        seen.add(id(text))
                        total += sys.getsizeof(text)
    return total


with tempfile.NamedTemporaryFile(suffix=".dat") as small:
    small.write(EXAMPLE)
    small.flush()
    catalix.read(small.name)
    catalix.query(small.name)
with open("/proc/self/clear_refs", "w") as clear:
    clear.write("5")  # the peak starts again from what is resident now
before = memory("VmRSS")
start = time.perf_counter()
if sys.argv[1] == "query":
    tables = [catalix.query("absrp_sys_list.dat", form="absrp_query.frm")]
else:
    whole = catalix.read("absrp_sys_list.dat")
    tables = [whole.spectra, whole.systems, whole.intervals, whole.lines]
seconds = time.perf_counter() - start
print(f"{seconds:.6f} {memory('VmHWM') - before} {array_bytes(tables)} {sum(map(len, tables))}")
