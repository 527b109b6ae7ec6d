Rmin = 0
Rmax = 100000
SNmin = 0
SNmax = 1000
zmin = 1.5
zmax = 3
ion =CIV