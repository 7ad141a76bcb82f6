// replaced by the loader and the writers
