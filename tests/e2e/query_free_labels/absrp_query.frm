lowest R: = 0
R at most = 1e5 per pixel

S/N from=0.5 sigma
S/N to=1000.
z from = -0.25
z to = 4.5e0 (emission)
name = All
lab min = 0 A
lab max = 3000 A
obs min = 3000.5
obs max = 100000.0
W min = 0.00001
W max = 5
logN min = 12
logN max = 22.5 cm^-2
