# The editor's sources.
