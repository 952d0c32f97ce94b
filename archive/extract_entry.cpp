// Placeholder; filled in by the extraction core.
