#ifndef CATALIX_CATALOGUE_TRACE_H_
#define CATALIX_CATALOGUE_TRACE_H_

// What the readers tell a listener as they read: each piece of the file with
// the byte offsets it took, so that catalix-check can say where a catalogue is
// not read as written without a reader of its own that could disagree.

namespace input {

// The pieces, in the order the readers meet them.
enum class piece : unsigned char {
  none,
  // a spectrum: opening byte, white space, name, the byte after its '$',
  // label, white space
  spectrum_open, name_gap, qso_name, label_gap, qso_label, label_end_gap,
  // a header block: opening byte, a note-only block's note or the first
  // interval, z_em and caption; further intervals and notes
  header_open, note_only, wv_min, range_separator, wv_max, equals_before_r, resolution,
  s_to_n_label, s_to_n, dollar_after_interval, equals_before_z_em, z_em, dollar_after_z_em,
  caption, note, header_gap, header_close, list_gap,
  // a line record; a damped Lyman-alpha line's two skipped bytes and blanks
  blank_redshift, z_abs, marker_gap, dollar_after_z, ion_name, rest_wv, brace, obs_wv,
  obs_wv_err, eq_width, eq_width_err, remark, dla_gap, dla_blanks,
  // after a line list ('%' or '_'), between spectra, the '#'
  list_end, catalogue_gap, catalogue_end,
};

class listener {
 public:
  virtual ~listener() = default;
  // Each block of the file as it is read, from offset `base`.
  virtual void filled(long long base, const unsigned char* data, unsigned long size) = 0;
  // A piece read from `begin` up to `end`.  `result`: a number 1 when it
  // converted, else 0; a text the bytes kept; a search the reads made; the
  // label before S/N 1 when it marks a minimum width; list_end the byte read.
  virtual void read(piece what, long long begin, long long end, int result) = 0;
};

}  // namespace input

#endif  // CATALIX_CATALOGUE_TRACE_H_
