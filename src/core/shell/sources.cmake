# Sources of the shell subsystem (added to zeph_core).
