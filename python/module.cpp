// The extension module catalix._catalix: the program's own reader and
// selection, and the tables they fill handed to Python as numpy arrays.
// The package catalix (catalix/__init__.py) makes astropy tables of them.
// Every call holds the GIL from start to end: the reading uses the
// program's globals, so one call at a time.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "python/answer_table.h"
#include "python/catalogue_tables.h"
#include "python/reading_session.h"
#include "query/selected_walk.h"
#include "query/selection.h"
#include "table/line_row.h"

namespace py = pybind11;

namespace {

// Hands the memory of `values` to a numpy array, which frees it.
template <typename T, typename Stored = T>
py::array owned_array(growing_array<Stored>& values) {
  const std::size_t n = values.size();
  Stored* data = values.release();
  py::capsule owner(data, [](void* p) { std::free(p); });
  return py::array_t<T>({n}, {sizeof(T)}, reinterpret_cast<T*>(data), owner);
}

// An object array of Python texts, each distinct text made once.
py::array text_array(column& c) {
  std::vector<py::object> distinct;
  distinct.reserve(c.texts().size());
  for (const std::string& text : c.texts()) {
    PyObject* made = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
    if (made == nullptr) throw py::error_already_set();
    distinct.push_back(py::reinterpret_steal<py::object>(made));
  }
  std::vector<std::string>().swap(c.texts());
  const std::size_t n = c.text_ids().size();
  // numpy fills a new object array with null references, taken here as
  // empty places.
  py::array cells(py::dtype("O"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(n)});
  auto** out = static_cast<PyObject**>(cells.mutable_data());
  const std::uint32_t* ids = c.text_ids().data();
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = distinct[ids[i]].inc_ref().ptr();
  }
  c.text_ids() = growing_array<std::uint32_t>();
  return cells;
}

// (name, values, mask or None) for each column, each column's memory given
// back as soon as it has been handed over.
py::list to_python(table& t) {
  py::list columns;
  for (column& c : t.columns()) {
    py::object values;
    switch (c.type()) {
      case column::kind::real: values = owned_array<double>(c.reals()); break;
      case column::kind::integer: values = owned_array<std::int32_t>(c.integers()); break;
      case column::kind::flag: values = owned_array<bool, unsigned char>(c.flags()); break;
      case column::kind::text: values = text_array(c); break;
    }
    py::object mask = py::none();
    if (c.any_missing()) mask = owned_array<bool, unsigned char>(c.missing());
    c.missing() = growing_array<unsigned char>();
    columns.append(py::make_tuple(c.name(), values, mask));
  }
  return columns;
}

py::list said(reading_session& session) {
  py::list messages;
  for (const located_message& m : session.said()) {
    messages.append(py::make_tuple(py::bytes(m.file), m.text, m.line, m.column));
  }
  return messages;
}

// One reading at a time: the GIL keeps other threads out, and this a
// signal handler that Python runs between two spectra.
class only_reading {
 public:
  only_reading() {
    if (busy_) throw std::runtime_error("catalix is reading a catalogue already");
    busy_ = true;
  }
  ~only_reading() { busy_ = false; }

 private:
  static bool busy_;
};
bool only_reading::busy_ = false;

// Lets Ctrl-C end a long reading, now and then between spectra.
void check_signals(int spectra) {
  if (spectra % 64 == 0 && PyErr_CheckSignals() != 0) throw py::error_already_set();
}

// The query answer: its columns, the counts, the query as read, the messages.
py::dict query(const std::string& catalogue, const py::object& form, const std::vector<double>& bounds,
               const std::string& ion_name) {
  only_reading one;
  reading_session session;
  if (!form.is_none()) {
    session.read_form(form.cast<std::string>());
  } else {
    if (bounds.size() != kQueryBounds) throw py::value_error("a bound for each end of each interval is needed");
    session.set_query(bounds.data(), ion_name);
  }
  input::source& in = session.open_catalogue(catalogue);
  answer_table answer;
  int spectra = 0;
  const spectrum_counts counts = walk_selected_spectra(
      in, [&](QSO_spectrum& spectrum, long long) { answer.add_selected(spectrum); },
      [&] { check_signals(++spectra); });
  py::dict result;
  std::vector<double> in_force(kQueryBounds);
  std::string ion;
  session.get_query(in_force.data(), &ion);
  result["query"] = py::make_tuple(in_force, py::bytes(ion));
  result["selected_spectra"] = counts.selected;
  result["all_spectra"] = counts.all;
  result["messages"] = said(session);
  result["columns"] = to_python(answer.columns());
  return result;
}

// The whole catalogue's four tables and the messages.
py::dict read_whole(const std::string& catalogue) {
  only_reading one;
  reading_session session;
  input::source& in = session.open_catalogue(catalogue);
  catalogue_tables tables;
  int spectra = 0;
  Read_Data_Base(in, [&](QSO_spectrum& spectrum) {
    check_signals(++spectra);
    tables.add(spectrum);
  });
  py::dict result;
  result["messages"] = said(session);
  result["spectra"] = to_python(tables.spectra);
  result["systems"] = to_python(tables.systems);
  result["intervals"] = to_python(tables.intervals);
  result["lines"] = to_python(tables.lines);
  return result;
}

// Why `path` could not be read, as an errno value for OSError.
int why_unreadable(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return ENOENT;
  if (std::filesystem::is_directory(status)) return EISDIR;
  if (!std::filesystem::is_regular_file(status)) return EINVAL;
  errno = 0;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    std::fclose(file);
    return EACCES;
  }
  return errno != 0 ? errno : EACCES;
}

void raise_unreadable(const unreadable_input& e) {
  const std::string& path = e.path();
  py::object message = py::reinterpret_steal<py::object>(PyUnicode_DecodeFSDefault(e.what()));
  py::object name = py::reinterpret_steal<py::object>(
      PyUnicode_DecodeFSDefaultAndSize(path.data(), static_cast<Py_ssize_t>(path.size())));
  if (!message || !name) throw py::error_already_set();
  // OSError makes FileNotFoundError, IsADirectoryError... of its errno.
  PyErr_SetObject(PyExc_OSError, py::make_tuple(why_unreadable(path), message, name).ptr());
}

}  // namespace

PYBIND11_MODULE(_catalix, m) {
  m.doc() = "The reader and selection of catalix; use the package catalix.";
  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const unreadable_input& e) {
      raise_unreadable(e);
    }
  });
  m.def("query", &query, py::arg("catalogue"), py::arg("form"), py::arg("bounds"), py::arg("ion_name"));
  m.def("read", &read_whole, py::arg("catalogue"));
  // The query's fields as the form file orders them: (name, role, quantity).
  py::list fields;
  for (const query_field& f : kQueryField) {
    const char* role = f.role == field_role::lower ? "lower" : f.role == field_role::upper ? "upper" : "name";
    fields.append(py::make_tuple(f.name, role, f.quantity));
  }
  m.attr("query_fields") = py::tuple(fields);
  py::list columns;
  for (const line_column& c : kLineColumn) {
    columns.append(py::make_tuple(c.name, c.unit, c.description));
  }
  m.attr("line_columns") = columns;
}
