# Sources of the folders subsystem (added to zeph_core).
