// en pack: filled by its owner
