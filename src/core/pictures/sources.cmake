# Sources of the pictures subsystem (added to zeph_core).
