"""A stand-in of the messenger service for tests and local use."""
