// Template player: being written.
