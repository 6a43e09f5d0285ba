# Unit tests of the screensaver program's cores: form runtime, settings, entry.
