# The baker's own parts are tested directly (the test support library
# already links them).
