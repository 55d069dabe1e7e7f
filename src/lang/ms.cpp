// ms pack: filled by its owner
