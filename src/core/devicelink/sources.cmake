# Sources of the devicelink subsystem (added to zeph_core).
