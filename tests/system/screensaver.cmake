# Windows-side tests of the screensaver program.
