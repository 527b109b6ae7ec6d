Rmin = 0
Rmax = 100000
SNmin = 0
SNmax = 1000
zmin = 1.5
zmax = 3
ion =FeII 
lab_min = 0
lab_max = 3000
obs_min = 0
obs_max = 10000
Wmin = 0
Wmax = 5
Nmin = 12
Nmax 