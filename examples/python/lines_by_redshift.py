"""What one looks at first in a catalogue of absorption lines: how many lines
each redshift bin holds, by ion, and the equivalent width against redshift.

    python3 lines_by_redshift.py [CATALOGUE [PICTURE]]

reads the example catalogue (or CATALOGUE), selects the lines with a measured
equivalent width (w_obs from 0 to 5 Angstrom, every ion), and draws both into
lines_by_redshift.png (or PICTURE)."""
import os
import sys

import matplotlib
matplotlib.use("Agg")  # no display needed: the picture goes to a file
import matplotlib.pyplot as plt
import numpy as np

import catalix

here = os.path.dirname(os.path.abspath(__file__))
catalogue = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "absrp_sys_list.dat")
picture = sys.argv[2] if len(sys.argv) > 2 else "lines_by_redshift.png"

lines = catalix.query(catalogue, w_obs=(0, 5))
# Widths given as numbers: not the column densities, symbols or lines without one.
measured = lines[~lines["w_obs"].mask]
ions = sorted(set(measured["ion"]))
z = measured["z_abs"]
bins = np.arange(np.floor(z.min() * 4) / 4, np.ceil(z.max() * 4) / 4 + 0.125, 0.25)

figure, (counts, widths) = plt.subplots(1, 2, figsize=(11, 4.5), layout="constrained")
heights, _, _ = counts.hist([z[measured["ion"] == ion] for ion in ions], bins=bins, stacked=True,
                            label=ions)
counts.set(xlabel="absorption redshift z_abs", ylabel="lines per bin of 0.25", ylim=(0, heights.max() * 1.4),
           title=f"{len(measured)} lines with a width in {lines.meta['selected_spectra']} spectra")
counts.legend(title="ion", fontsize="small", ncol=3, loc="upper center")
for ion in ions:
    mine = measured[measured["ion"] == ion]
    widths.errorbar(mine["z_abs"], mine["w_obs"], yerr=mine["w_obs_err"].filled(0), fmt="o", label=ion)
widths.set(xlabel="absorption redshift z_abs",
           ylabel=f"observed equivalent width W_obs ({measured['w_obs'].unit})",
           title="equivalent width against redshift")
figure.savefig(picture, dpi=120)
print(f"{picture}: {len(measured)} widths of {len(ions)} ions")
