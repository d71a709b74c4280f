# Sources of the compose subsystem (added to zeph_core).
