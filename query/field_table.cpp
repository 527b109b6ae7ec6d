#include "query/field_table.h"

#include "query/query_form.h"

// The DALI names are those of the table columns each interval bounds, where
// there is one (lambda_lab, lambda_obs, w_obs, log_n).
const query_field kQueryField[kQueryFields] = {
    {"min_resolution", field_role::lower, "Spectral resolution", "RESOLUTION", "Rmin", "---",
     "spect.resolution;stat.min", &min_resolution},
    {"max_resolution", field_role::upper, "Spectral resolution", "RESOLUTION", "Rmax", "---",
     "spect.resolution;stat.max", &max_resolution},
    {"min_s_to_n", field_role::lower, "Signal-to-noise ratio", "SNR", "SNmin", "---",
     "stat.snr;stat.min", &min_s_to_n},
    {"max_s_to_n", field_role::upper, "Signal-to-noise ratio", "SNR", "SNmax", "---",
     "stat.snr;stat.max", &max_s_to_n},
    {"min_z_abs", field_role::lower, "Absorption redshift", "Z_ABS", "zmin", "---",
     "src.redshift;stat.min", &min_z_abs},
    {"max_z_abs", field_role::upper, "Absorption redshift", "Z_ABS", "zmax", "---",
     "src.redshift;stat.max", &max_z_abs},
    {"ion_name", field_role::name, "Ion name or system type", "ION", "ion", "",
     "phys.atmol.ionStage", nullptr},
    {"min_rest_wv", field_role::lower, "Rest wavelength", "LAMBDA_LAB", "lab_min", "Angstrom",
     "em.wl;phys.atmol.transition;stat.min", &min_rest_wv},
    {"max_rest_wv", field_role::upper, "Rest wavelength", "LAMBDA_LAB", "lab_max", "Angstrom",
     "em.wl;phys.atmol.transition;stat.max", &max_rest_wv},
    {"min_obs_wv", field_role::lower, "Observed wavelength", "LAMBDA_OBS", "obs_min", "Angstrom",
     "em.wl;stat.min", &min_obs_wv},
    {"max_obs_wv", field_role::upper, "Observed wavelength", "LAMBDA_OBS", "obs_max", "Angstrom",
     "em.wl;stat.max", &max_obs_wv},
    {"min_width", field_role::lower, "Equivalent width", "W_OBS", "Wmin", "Angstrom",
     "spect.line.eqWidth;stat.min", &min_width},
    {"max_width", field_role::upper, "Equivalent width", "W_OBS", "Wmax", "Angstrom",
     "spect.line.eqWidth;stat.max", &max_width},
    {"min_col_dens", field_role::lower, "Column density", "LOG_N", "Nmin", "",
     "phys.columnDensity;stat.min", &min_col_dens},
    {"max_col_dens", field_role::upper, "Column density", "LOG_N", "Nmax", "",
     "phys.columnDensity;stat.max", &max_col_dens},
};

std::string field_label(const query_field& field) {
  switch (field.role) {
    case field_role::lower:
      return std::string(field.quantity) + ", lower bound";
    case field_role::upper:
      return std::string(field.quantity) + ", upper bound";
    default:
      return field.quantity;
  }
}
