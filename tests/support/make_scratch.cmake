# Makes a test's scratch folder afresh: SCRATCH/work holding copies of the pictures in PICTURES,
# and an empty SCRATCH/data.
file(REMOVE_RECURSE ${SCRATCH})
file(COPY ${PICTURES}/ DESTINATION ${SCRATCH}/work)
file(MAKE_DIRECTORY ${SCRATCH}/data)
