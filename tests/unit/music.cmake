# Unit tests of the music module's core.
