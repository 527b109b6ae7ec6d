Resolution:        min = 0        max = 1e9
Signal-to-noise:   min = 0        max = 1e9
Redshift:          min = 0        max = 100
Ion name or system type =All
Rest wavelength:   min = 0        max = 1e9
Observed:          min = 0        max = 1e9
Equivalent width:  min = 0        max = 1e9
Column density:    min = 0        max = 100
