# Windows-side tests of the music module.
