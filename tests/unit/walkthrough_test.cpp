// Filled in by the dispatch and walkthrough tests.
